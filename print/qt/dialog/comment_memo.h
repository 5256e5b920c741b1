#pragma once
// The comment printed on pay slips, mmEditMemo: at most five lines of 170 characters in all.
// A sixth line is deleted as soon as it appears (so Enter at the end of the fifth line does
// nothing), and the memo keeps its text within the limits however it is changed (typing,
// pasting).

#include <QString>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace keiro::print {

inline constexpr int kMemoMaxLines = 5;
inline constexpr int kMemoMaxCharacters = 170;

// The text cut to five lines and 170 characters.
QString limitedMemoText(const QString& text);

// Keeps the memo's text limited from now on.
void limitMemo(QPlainTextEdit* memo);

// The memo's lines as the pay slips print them.
std::vector<std::string> memoLines(const QPlainTextEdit* memo);

}  // namespace keiro::print

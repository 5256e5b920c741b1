#include "print/qt/dialog/comment_memo.h"

#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <algorithm>

namespace keiro::print {

QString limitedMemoText(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() > kMemoMaxLines) lines = lines.mid(0, kMemoMaxLines);
    QString limited = lines.join(QLatin1Char('\n'));
    const QList<uint> characters = limited.toUcs4();
    if (characters.size() > kMemoMaxCharacters) {
        limited = QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()),
                                    kMemoMaxCharacters);
    }
    return limited;
}

void limitMemo(QPlainTextEdit* memo) {
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo] {
        const QString text = memo->toPlainText();
        const QString limited = limitedMemoText(text);
        if (limited == text) return;
        const int position = memo->textCursor().position();
        const QSignalBlocker blocker(memo);
        memo->setPlainText(limited);
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(std::min(position, static_cast<int>(limited.size())));
        memo->setTextCursor(cursor);
    });
}

std::vector<std::string> memoLines(const QPlainTextEdit* memo) {
    std::vector<std::string> lines;
    const QString text = memo->toPlainText();
    if (text.isEmpty()) return lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) lines.push_back(line.toStdString());
    return lines;
}

}  // namespace keiro::print

#pragma once
// Small pieces the pages of the common settings dialog share.

#include <QString>
#include <string>

#include "core/settings.h"
#include "widgets/entry_behaviour.h"

class QLabel;
class QLineEdit;
class QWidget;

namespace keiro::payroll {

// The edit-box behaviour the configuration asks for.
ui::EntrySettings entrySettings(const Settings& settings);

// An edit box named for tests and lookups.
QLineEdit* namedLineEdit(QWidget* parent, const QString& objectName);
// A right-aligned numeric box `width` pixels wide.
QLineEdit* numberLineEdit(QWidget* parent, const QString& objectName, int width);
QLabel* label(QWidget* parent, const QString& text);

inline QString qs(const std::string& utf8) {
    return QString::fromStdString(utf8);
}
// The box's text trimmed of blanks (ideographic ones too), as UTF-8.
std::string trimmedText(const QLineEdit* edit);

}  // namespace keiro::payroll

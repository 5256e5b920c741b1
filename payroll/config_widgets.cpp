#include "payroll/config_widgets.h"

#include <QLabel>
#include <QLineEdit>

namespace keiro::payroll {

ui::EntrySettings entrySettings(const Settings& settings) {
    return {settings.autoSelect, settings.overwriteInput, settings.timeStyle};
}

QLineEdit* namedLineEdit(QWidget* parent, const QString& objectName) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    return edit;
}

QLineEdit* numberLineEdit(QWidget* parent, const QString& objectName, int width) {
    QLineEdit* edit = namedLineEdit(parent, objectName);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(width);
    return edit;
}

QLabel* label(QWidget* parent, const QString& text) {
    return new QLabel(text, parent);
}

std::string trimmedText(const QLineEdit* edit) {
    return edit->text().trimmed().toStdString();
}

}  // namespace keiro::payroll

#include "widgets/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace keiro::ui {

std::optional<QString> QtFileDialogs::openFile(QWidget* parent, const QString& title,
                                               const QString& folder, const QString& filter) {
    const QString path = QFileDialog::getOpenFileName(parent, title, folder, filter);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> QtFileDialogs::saveFile(QWidget* parent, const QString& title,
                                               const QString& folder, const QString& filter,
                                               const QString& suffix) {
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);  // the dialog asks before overwriting
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first();
}

std::optional<QString> QtFileDialogs::chooseFolder(QWidget* parent, const QString& title,
                                                   const QString& folder) {
    const QString path = QFileDialog::getExistingDirectory(parent, title, folder);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

}  // namespace keiro::ui

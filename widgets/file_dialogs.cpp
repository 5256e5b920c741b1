#include "widgets/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <algorithm>

namespace keiro::ui {

namespace {

bool isAscii(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

}  // namespace

QStringList filterPatterns(const QString& filter) {
    QString patterns = filter.trimmed();
    const qsizetype close = patterns.lastIndexOf(QLatin1Char(')'));
    const qsizetype open = close < 0 ? -1 : patterns.lastIndexOf(QLatin1Char('('), close);
    if (close == patterns.size() - 1 && open >= 0)
        patterns = patterns.mid(open + 1, close - open - 1);
    return patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

std::optional<QString> QtFileDialogs::openFile(QWidget* parent, const QString& title,
                                               const QString& folder, const QString& filter) {
    const QStringList filters = filter.split(QStringLiteral(";;"));
    const bool qtReadsPatterns = std::all_of(filters.begin(), filters.end(), [](const QString& f) {
        const QStringList patterns = filterPatterns(f);
        return std::all_of(patterns.begin(), patterns.end(), isAscii);
    });
    if (qtReadsPatterns) {
        const QString path = QFileDialog::getOpenFileName(parent, title, folder, filter);
        if (path.isEmpty()) return std::nullopt;
        return path;
    }
    // Qt reads a filter's patterns only when they are ASCII, and the data files have Japanese
    // names ("令和*.dat"): the dialog's own list is given the patterns here instead.
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const auto usePatterns = [&dialog](const QString& chosen) {
        auto* model = dialog.findChild<QFileSystemModel*>();
        if (model != nullptr) model->setNameFilters(filterPatterns(chosen));
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, usePatterns);
    usePatterns(dialog.selectedNameFilter());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first();
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

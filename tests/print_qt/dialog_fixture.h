#pragma once
// The print dialog as the tests open it: scripted message boxes and file dialogs, no printer
// installed (so prints go to PDF), an ini of its own, and a fake report of `employees` people.

#include <QAbstractButton>
#include <QLabel>
#include <QTemporaryDir>
#include <memory>

#include "core/ini.h"
#include "core/settings.h"
#include "print/qt/dialog/print_dialog.h"
#include "tests/print_qt/fake_report.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_service.h"

namespace keiro::print::testing {

struct DialogFixture {
    QTemporaryDir folder;
    IniFile ini{fs::path(folder.path().toStdString()) / "Keiro.ini"};
    Settings settings;
    ui::ScriptedMessageService messages;
    ui::ScriptedFileDialogs files;
    FakeLog log;
    int employees = 3;
    std::unique_ptr<PrintDialog> dialog;

    DialogFixture() { makeDialog(); }

    void makeDialog() {
        PrintServices services{messages, files, ini, settings};
        services.installedPrinters = [] { return QStringList(); };
        dialog = std::make_unique<PrintDialog>(services);
    }

    PrintRequest request(ReportKind kind, bool withExport = false) {
        PrintRequest request;
        request.mode = {kind, kind == ReportKind::MonthlyList ? 4 : 99};
        request.caption = QStringLiteral("給与明細書");
        request.buildReport = [this, kind](const PrintChoices& choices) {
            log.built.push_back(choices);
            return std::make_unique<FakeReport>(kind, employees, choices, log);
        };
        if (withExport) request.exportReport = [](QWidget*, const PrintChoices&) { return true; };
        request.payDate = payDateTexts({8, 4, 25}, {"令和", true, 8, "令和", 8});
        return request;
    }

    void open(ReportKind kind, bool withExport = false) {
        dialog->prepare(request(kind, withExport));
        dialog->show();
    }

    template <typename W>
    W* find(const char* name) {
        W* widget = dialog->findChild<W*>(QString::fromLatin1(name));
        if (widget == nullptr) qFatal("no control %s", name);
        return widget;
    }
    QString text(const char* name) { return find<QLabel>(name)->text(); }
    void click(const char* name) { find<QAbstractButton>(name)->click(); }
    QString pdfPath() const { return folder.filePath(QStringLiteral("給与明細書.pdf")); }
};

}  // namespace keiro::print::testing

// The print dialog and the preview keep every control's name: tests and the saved print
// settings find controls by it, so renaming what the code calls a control must never change
// the name the control carries.  Each window's names are compared whole, in order.
#include <QAction>
#include <QStringList>

#include "print/qt/dialog/preview_window.h"
#include "tests/print_qt/dialog_fixture.h"
#include "tests/support/control_names.h"
#include "tests/support/qt_test_main.h"

namespace keiro::print {
using testing_support::controlNames;

class PrintControlNamesTest : public QObject {
    Q_OBJECT
  private slots:
    void printDialog() {
        testing::DialogFixture f;
        f.open(ReportKind::PaySlips);
        QCOMPARE(controlNames(*f.dialog),
                 QStringList({"btCancel",   "btCsvFile",   "btPdf",      "btPdfEach",  "btPreView",
                              "btPrint",    "btPrnSetup",  "cbAllPrint", "cbBikoPrn",  "cbFormType",
                              "edAdjustH",  "edAdjustV",   "edDay",      "edMonth",    "edYear",
                              "fmPreView",  "gbMethod",    "gbReport",   "lbComment",  "lbFormType",
                              "lbNengappi", "lbNengappi1", "lbPage",     "mmEditMemo", "pbPage",
                              "pmPreView",  "pnPages",     "pnPaper",    "pnPaper",    "pnPrinter",
                              "pnToolBar",  "rbBusyo",     "rbNormal",   "rbSyaKbn",   "sbClose",
                              "sbDown",     "sbLeft",      "sbNext",     "sbPrev",     "sbPreview",
                              "sbPrint",    "sbReset",     "sbRight",    "sbUp",       "sbWDisp"}));
    }

    void previewWindow() {
        ui::ScriptedMessageService messages;
        PreviewWindow preview(messages);
        QCOMPARE(controlNames(preview),
                 QStringList({"lbPage", "pbPage", "pmPreView", "pnPaper", "pnToolBar", "sbClose",
                              "sbNext", "sbPrev", "sbPreview", "sbPrint", "sbWDisp"}));
    }
};

KEIRO_QTEST(PrintControlNamesTest);

}  // namespace keiro::print

#include "control_names_test.moc"

// The payroll windows keep every control's name: tests, saved window settings and the
// clerk's scripts find controls by it, so renaming what the code calls a control must never
// change the name the control carries.  Each window's names are compared whole, in order.
#include <QAction>
#include <QStringList>
#include <QTabBar>
#include <cstring>

#include "payroll/config_dialog.h"
#include "payroll/employee_editor.h"
#include "tests/support/control_names.h"
#include "tests/support/demo_company.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/temp_folder.h"

namespace keiro::payroll {
using testing_support::controlNames;

class ControlNamesTest : public QObject {
    Q_OBJECT
  private slots:
    void employeeEditorPages() {
        testing_support::DemoCompany demo(11);
        EmployeeEditor editor(nullptr,
                              EmployeeEditorContext{demo.year, demo.state.settings, demo.places,
                                                    demo.messages, nullptr},
                              1);
        QCOMPARE(controlNames(editor), QStringList({"PageCtrl",
                                                    "TfmCalc",
                                                    "bt0",
                                                    "bt1",
                                                    "bt2",
                                                    "bt3",
                                                    "bt4",
                                                    "bt5",
                                                    "bt6",
                                                    "bt7",
                                                    "bt8",
                                                    "bt9",
                                                    "btCancel",
                                                    "btCancel",
                                                    "btClear",
                                                    "btDivide",
                                                    "btEqual",
                                                    "btJuuminYubin",
                                                    "btMinus",
                                                    "btOK",
                                                    "btOK",
                                                    "btPercent",
                                                    "btPlus",
                                                    "btPoint",
                                                    "btTimes",
                                                    "cbBirthG",
                                                    "cbHide",
                                                    "cbKaigo",
                                                    "cbKaiteiKubun",
                                                    "cbKeitai",
                                                    "cbKenkou",
                                                    "cbKoyou",
                                                    "cbKubun",
                                                    "cbNenHoken",
                                                    "cbNenKikin",
                                                    "cbPdfPassShow",
                                                    "cbRoudouKubun",
                                                    "cbSyainKubun",
                                                    "cbSyugyo",
                                                    "chk70Ijo",
                                                    "chkNenkanHeikin",
                                                    "deSikakuSousitu",
                                                    "deSikakuSyutoku",
                                                    "edBirthD",
                                                    "edBirthM",
                                                    "edBirthY",
                                                    "edBusyo",
                                                    "edChingin1",
                                                    "edChingin2",
                                                    "edChingin3",
                                                    "edChingin4",
                                                    "edChingin5",
                                                    "edChisou",
                                                    "edFamily",
                                                    "edFuyou",
                                                    "edGinkoCd",
                                                    "edHosyu",
                                                    "edJuumin",
                                                    "edJuumin6",
                                                    "edJuuminCity",
                                                    "edJuuminCode",
                                                    "edJuuminYubin",
                                                    "edKaigoRyo",
                                                    "edKakekin",
                                                    "edKekkin",
                                                    "edKenhoRyo",
                                                    "edKinyu",
                                                    "edKinyuF",
                                                    "edKoseiRyo",
                                                    "edKoujo1",
                                                    "edKoujo2",
                                                    "edKoujo3",
                                                    "edKoutuhi0",
                                                    "edKoutuhi1",
                                                    "edKouzaMeigi",
                                                    "edKouzaNo",
                                                    "edMyNo",
                                                    "edPdfPass",
                                                    "edResult",
                                                    "edSienRyo",
                                                    "edSimei",
                                                    "edSimeiF",
                                                    "edSinzoku",
                                                    "edSiten",
                                                    "edSitenCd",
                                                    "edSitenF",
                                                    "edSyaCod",
                                                    "edSyoyoKurikosi",
                                                    "edSyuseiHeikin",
                                                    "edTeate1",
                                                    "edTeate2",
                                                    "edTeate3",
                                                    "edTesuryo",
                                                    "edYakuin",
                                                    "edYukyu",
                                                    "gbJuuminSaki",
                                                    "lbChingin1",
                                                    "lbFamily",
                                                    "lbGrade",
                                                    "lbKoujo1",
                                                    "lbKoujo2",
                                                    "lbKoujo3",
                                                    "lbPdfPassState",
                                                    "lbSlot",
                                                    "lbTeate1",
                                                    "lbTeate2",
                                                    "lbTeate3",
                                                    "lbYakuin",
                                                    "rbChochi",
                                                    "rbFurikomi",
                                                    "rbFutuu",
                                                    "rbGenkin",
                                                    "rbTouza",
                                                    "rbZeigaku0",
                                                    "rbZeigaku1",
                                                    "sbCalc",
                                                    "sbDefault",
                                                    "sbFromGrade",
                                                    "sbNext",
                                                    "sbPrev",
                                                    "sbTanka",
                                                    "seKaiteiNen",
                                                    "seKaiteiTuki",
                                                    "seSyoyoNendo",
                                                    "tsKihon",
                                                    "tsSikyu"}));
    }

    void settingsDialogPages() {
        testing_support::TempFolder folder{"keiro-names"};
        IniFile ini{folder / "Keiro.ini"};
        Settings settings = loadSettings(ini);
        ui::ScriptedMessageService messages;
        ConfigDialog dialog(nullptr, settings, ini, messages, folder / "rates.dat", [] {});
        PeriodSettings period;
        std::memset(&period, 0, sizeof period);
        dialog.prepare(period);
        QCOMPARE(controlNames(dialog),
                 QStringList(
                     {"PageCtrl",        "btCancel",        "btDefault1",       "btDefault2",
                      "btKenRitu",       "btSetPass",       "btSysSave",        "cbHide",
                      "cbHoken0",        "cbHoken1",        "cbHoken10",        "cbHoken11",
                      "cbHoken2",        "cbHoken3",        "cbHoken4",         "cbHoken5",
                      "cbHoken6",        "cbHoken7",        "cbHoken8",         "cbHoken9",
                      "cbJitudou",       "cbKazei0",        "cbKazei1",         "cbKazei10",
                      "cbKazei11",       "cbKazei2",        "cbKazei3",         "cbKazei4",
                      "cbKazei5",        "cbKazei6",        "cbKazei7",         "cbKazei8",
                      "cbKazei9",        "cbKotei1",        "cbKotei10",        "cbKotei11",
                      "cbKotei12",       "cbKotei13",       "cbKotei14",        "cbKotei15",
                      "cbKotei16",       "cbKotei17",       "cbKotei2",         "cbKotei3",
                      "cbKotei4",        "cbKotei5",        "cbKotei6",         "cbKotei7",
                      "cbKotei8",        "cbKotei9",        "cbKoyouJigyou",    "cbPrRuikei",
                      "cbSikyubi",       "cbUse2000",       "edFixKoujo1",      "edFixKoujo2",
                      "edFixKoujo3",     "edFixTeate1",     "edFixTeate2",      "edFixTeate3",
                      "edHouNo",         "edItakuCd",       "edItakuMei",       "edJikanD",
                      "edKaiRitu",       "edKenRitu",       "edKintai01",       "edKintai02",
                      "edKintai03",      "edKintai04",      "edKintai05",       "edKintai06",
                      "edKintai07",      "edKintai08",      "edKintai09",       "edKintai10",
                      "edKintai11",      "edKintai12",      "edKintai13",       "edKintai14",
                      "edKintai15",      "edKknRitu",       "edKoyRitu",        "edNenRitu",
                      "edRousaiRitu",    "edSienRitu",      "edSikyu01",        "edSikyu02",
                      "edSikyu03",       "edSikyu04",       "edSikyu05",        "edSikyu06",
                      "edSikyu07",       "edSikyu08",       "edSikyu09",        "edSikyu10",
                      "edSikyu11",       "edSikyubi",       "edSimukeGinkoCd",  "edSimukeGinkoMei",
                      "edSimukeKouzaNo", "edSimukeSitenCd", "edSimukeSitenMei", "edSonota1",
                      "edSonota2",       "edSonota3",       "edSyamei",         "edTokuSyoyo",
                      "edVarKoujo1",     "edVarKoujo2",     "edVarKoujo3",      "edVarTeate1",
                      "edVarTeate2",     "edVarTeate3",     "lbNote",           "rbGenRound",
                      "rbGenTrunc",      "rbIgai",          "rbJigyo",          "rbKouRound",
                      "rbKouTrunc",      "rbMojiGenkaku",   "rbMojiHyojun",     "rbSikCeil",
                      "rbSikRound",      "rbSimukeFutuu",   "rbSimukeTouza",    "rbTimeStyle10",
                      "rbTimeStyle60",   "tsConfig",        "tsCorpInfo",       "tsFreeItem",
                      "tsItemName",      "tsSocial",        "tsZengin"}));
    }
};

KEIRO_QTEST(ControlNamesTest);

}  // namespace keiro::payroll

#include "control_names_test.moc"

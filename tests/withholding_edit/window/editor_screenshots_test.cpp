// Pictures of both editors and the 前職分 dialog for a person to look at: the sample company's 2026
// as KeiroLG sees it in January 2027, and a 平成27 year with 500-byte records.  Written only when
// KEIRO_LGEDIT_SHOTS names a folder (run under a real display server for real fonts); the test
// then waits a while, so that a screenshot of the whole screen can be taken as well.
#include <chrono>

#include "sample/sample_company.h"
#include "tests/support/qt_test_main.h"
#include "tests/withholding_edit/window/editor_fixture.h"
#include "withholding/model/opening.h"
#include "withholding/previous_employers_dialog.h"

namespace keiro::withholding {

using testing::EditorFixture;

class EditorScreenshots : public QObject {
    Q_OBJECT

    static void shoot(RecordEditorBase& editor, const QString& file, int waitMs) {
        editor.move(10, 10);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QVERIFY(editor.grab().save(file));
        QTest::qWait(waitMs);
        editor.hide();
    }

  private slots:
    void bothEditors() {
        const QString shots = qEnvironmentVariable("KEIRO_LGEDIT_SHOTS");
        if (shots.isEmpty()) QSKIP("KEIRO_LGEDIT_SHOTS names no folder");
        using namespace std::chrono;

        testing_support::TempFolder folder("keiro-lgedit-shots");
        const sample::SampleFiles files = sample::createSampleCompany(
            folder / "root", year_month_day{2027y, January, 15d}, KEIRO_BINARY_DIR "/bin");
        YearView year(files.yearFiles.at(0));
        const EraNames names{"平成", "令和"};
        std::optional<WithholdingFile> file =
            openWithholdingFile(year, withholdingPathsFor(year.path(), {"令和", 8}, names));
        QVERIFY(file.has_value());
        ui::ScriptedMessageService messages;
        OptionSettings options;
        const EditorContext context{*file,  year,    "令和",        8,        2026, true,
                                    "令和", options, folder.path(), messages, {},   {}};
        WithholdingEditor current(context, nullptr);
        current.showSlot(1);
        current.calculateEmployee();
        shoot(current, shots + QStringLiteral("/data-edit2-2026.png"), 4000);

        PreviousEmployer(&employers)[2] = file->supplement(1).previousEmployers;
        employers[0].payerName.assign("株式会社前の勤め先");
        employers[0].payerAddress.assign("大阪府大阪市北区梅田１－１－１");
        employers[0].leftOn = {126, 3, 31};
        employers[0].pay = 1'200'000;
        employers[0].tax = 24'000;
        employers[0].socialInsurance = 180'000;
        PreviousEmployersDialog previous(employers, {kEraNew, "令和", 8}, messages, {});
        previous.move(10, 10);
        previous.show();
        QVERIFY(QTest::qWaitForWindowExposed(&previous));
        QVERIFY(previous.grab().save(shots + QStringLiteral("/previous-employers.png")));
        previous.hide();

        EditorFixture legacy(2015);
        LegacyWithholdingRecord& r = legacy.file.legacyRecord(1);
        r.postalCode.assign("100-0001");
        r.address1.assign("東京都千代田区千代田１－１");
        r.spouseFlags[LegacyWithholdingRecord::kSpouseYes] = 1;
        r.dependants.general = 1;
        r.joinLeaveBirth.birth = {3, 55, 4, 1};
        auto old = legacy.editor(1);
        old->calculateEmployee();
        shoot(*old, shots + QStringLiteral("/data-edit-h27.png"), 4000);
    }
};

KEIRO_QTEST(EditorScreenshots);

}  // namespace keiro::withholding

#include "editor_screenshots_test.moc"

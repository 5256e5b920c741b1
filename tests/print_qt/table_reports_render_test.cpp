// The ledger and the monthly list on paper: a full page of wide figures and long names keeps its
// ink inside the table and on the sheet.  With KEIRO_PRINT_SHOT_DIR set, the two pages are also
// saved there as PNG files to be looked at.

#include <QImage>
#include <QObject>
#include <QtTest>

#include "print/ledger_report.h"
#include "print/monthly_list_report.h"
#include "print/qt/painter_canvas.h"
#include "tests/print/ledger_fixture.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/temp_folder.h"

namespace keiro::print {
namespace {

using namespace std::chrono;

constexpr int kDpi = 100;
const QSizeF kA4Landscape(297, 210);

int pixels(double mm) {
    return static_cast<int>(mm * kDpi / 25.4);
}

// Any ink (not white, not the shading) right of x mm or below y mm.
bool inkBeyond(const QImage& image, double xMm, double yMm) {
    const QRgb shade = qRgb(kShadeColour.red, kShadeColour.green, kShadeColour.blue);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (x < pixels(xMm) && y < pixels(yMm)) continue;
            const QRgb p = image.pixel(x, y);
            if (p != qRgb(255, 255, 255) && p != shade) return true;
        }
    }
    return false;
}

// Nine employees of one department with long names and seven-figure pay, three attendance items
// added.
std::unique_ptr<PeriodBlock> wideCompany() {
    auto block = testing_support::newBlock("株式会社サンプル商事");
    for (int slot = 1; slot <= 9; ++slot) {
        testing_support::addEmployee(*block, slot, "id" + std::to_string(slot),
                                     "長谷川　左衛門三郎", 9'876'543 + slot, "第一営業部販売課");
        block->payments[slot - 1].payTotal = 99'999'999;
        block->deductions[slot - 1].deductionTotal = -9'999'999;
        block->attendance[slot - 1].overtimeHours = 123.75;
    }
    return block;
}

TableOptions wideOptions() {
    TableOptions options;
    options.added[1] = options.added[7] = options.added[8] = true;
    options.removed[0] = options.removed[1] = options.removed[2] = true;
    return options;
}

void saveShot(const QImage& image, const char* name) {
    const QByteArray folder = qgetenv("KEIRO_PRINT_SHOT_DIR");
    if (!folder.isEmpty()) QVERIFY(image.save(QString::fromLocal8Bit(folder) + "/" + name));
}

}  // namespace

class TableReportsRenderTest : public QObject {
    Q_OBJECT

  private slots:
    void listPageStaysInsideItsTable() {
        const auto block = wideCompany();
        const MonthlyListReport report(
            wideOptions(), *block,
            {listPeriod(12, 12, {"令和", 8}, {"平成", "令和"}, ItemNames{}),
             ListMethod::ByDepartment, year_month_day{2026y, December, 9d}});
        const QImage image = renderPage(
            [&report](Canvas& canvas) { report.drawPage(canvas, 1, {}); }, kA4Landscape, kDpi);
        saveShot(image, "monthly_list.png");
        // The table ends at 290 mm, and 42 rows from 29 mm, raised by 10 mm, at 203.8 mm.
        QVERIFY(!inkBeyond(image, 291, 205));
    }

    void ledgerPageStaysInsideItsTable() {
        testing_support::TempFolder folder("keiro-ledger-shot");
        const auto block = wideCompany();
        std::array<const PeriodBlock*, kPeriodCount> periods{};
        periods.fill(block.get());
        const std::filesystem::path path = folder.path() / "year.dat";
        testing_support::writeYearFile(path, periods);
        const LedgerReport report(wideOptions(), YearView(path),
                                  {"株式会社サンプル商事",
                                   {"令和", 8},
                                   ledgerEmployees(*block, {1}),
                                   year_month_day{2026y, December, 9d}});
        const QImage image = renderPage(
            [&report](Canvas& canvas) { report.drawPage(canvas, 1, {}); }, kA4Landscape, kDpi);
        saveShot(image, "ledger.png");
        QVERIFY(!inkBeyond(image, 286, 205));
    }
};

KEIRO_QTEST(TableReportsRenderTest);

}  // namespace keiro::print

#include "table_reports_render_test.moc"

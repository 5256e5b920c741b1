// The transfer list, the denomination table and the roster painted as a printer prints them,
// full of the widest data: no ink right of the table's box, nothing below it but paper, and the
// box's corners closed.  With KEIRO_PRINT_SHOTS set to a folder the pages are also saved there
// as PNG files, to be looked at.

#include <QDir>
#include <QImage>
#include <QObject>
#include <QtTest>

#include "print/denomination_report.h"
#include "print/qt/painter_canvas.h"
#include "print/roster_report.h"
#include "print/transfer_list_report.h"
#include "tests/print/table_fixture.h"
#include "tests/support/qt_test_main.h"

namespace keiro::print {
namespace {

using testing::kPrintDate;
using testing::TablePeriod;

constexpr int kDpi = 100;
const QSizeF kA4Landscape(297, 210);

int px(double mm) {
    return qRound(mm * kDpi / 25.4);
}

bool dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 160;
}

// The table's box in millimetres.
struct Box {
    double left, top, right, bottom;
};

QImage paint(const Report& report, int page, const char* name) {
    QImage image = renderPage([&](Canvas& canvas) { report.drawPage(canvas, page, {}); },
                              kA4Landscape, kDpi);
    if (const QByteArray folder = qgetenv("KEIRO_PRINT_SHOTS"); !folder.isEmpty()) {
        image.save(QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromLatin1(name)));
    }
    return image;
}

void checkBox(const QImage& image, const Box& box) {
    const int left = px(box.left), top = px(box.top), right = px(box.right),
              bottom = px(box.bottom);
    for (const QPoint corner :
         {QPoint(left, top), QPoint(right, top), QPoint(left, bottom), QPoint(right, bottom)}) {
        QVERIFY2(dark(image, corner.x(), corner.y()),
                 qPrintable(QStringLiteral("open corner at %1,%2").arg(corner.x()).arg(corner.y())));
    }
    for (int y = top; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool outside = x > right + 2 || y > bottom + 2;
            if (outside && dark(image, x, y)) {
                QFAIL(qPrintable(QStringLiteral("ink outside the table at %1,%2").arg(x).arg(y)));
            }
        }
    }
}

}  // namespace

class TablePagesTest : public QObject {
    Q_OBJECT

  private slots:
    void transferList() {
        TablePeriod period;
        period.addLongest(31, 0);
        const TransferListReport report(*period.block, "[令和8年 12月分給与]", kPrintDate);
        checkBox(paint(report, 1, "transfer_list.png"), {18, 29, 279, 184});
    }

    void denominationTable() {
        TablePeriod period;
        period.addLongest(30, 1);
        const DenominationReport report(*period.block, "[令和8年 冬期賞与]", kPrintDate, {},
                                        false);
        checkBox(paint(report, 1, "denomination_table.png"), {18, 29, 269.5, 189});
    }

    void roster() {
        TablePeriod period;
        period.addLongest(10, 0);
        const RosterReport report(*period.block, ItemNames{}, kPrintDate);
        checkBox(paint(report, 1, "roster.png"), {10, 29, 288, 194});
    }
};

KEIRO_QTEST(TablePagesTest);

}  // namespace keiro::print

#include "table_pages_test.moc"

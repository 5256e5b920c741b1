// The pay slips on paper: one golden drawing per design and pay form, a bonus slip, a sheet of
// two pre-printed slips, and how sheets, origins and the position correction place them.
#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "core/errors.h"
#include "tests/print/slip_fixture.h"
#include "tests/support/golden.h"

namespace keiro::print {
namespace {

using testing_support::expectMatchesGolden;

class PaySlipReportTest : public NovemberSlipsTest {
  protected:
    // The one slip of `slot` on form type `formType`.
    static std::string slip(int slot, int formType) {
        const SlipFixture& f = *november_;
        return SlipFixture::page(f.report({slot}, f.choices(formType)), 1);
    }
};

// Each design once with its frame on plain paper; the other pay forms on the pre-printed form,
// values only, so that each drawing stays small.
TEST_F(PaySlipReportTest, RowDesign) {
    expectMatchesGolden(slip(kMonthly, 2), "print/pay_slip_row_monthly.txt");
    expectMatchesGolden(slip(kDaily, 0), "print/pay_slip_row_daily.txt");
    expectMatchesGolden(slip(kHourlyCash, 2), "print/pay_slip_row_hourly_cash.txt");
}

TEST_F(PaySlipReportTest, GridDesign) {
    expectMatchesGolden(slip(kMonthly, 6), "print/pay_slip_grid_monthly.txt");
    expectMatchesGolden(slip(kDaily, 4), "print/pay_slip_grid_daily.txt");
    expectMatchesGolden(slip(kHourlyCash, 4), "print/pay_slip_grid_hourly.txt");
}

TEST(PaySlipBonusTest, BonusSlipWithItsYearToDate) {
    const SlipFixture summer(13);
    expectMatchesGolden(SlipFixture::page(summer.report({kMonthly}, summer.choices(0)), 1),
                        "print/pay_slip_row_bonus.txt");
}

// Two slips on the pre-printed form: values only, the cash-paid employee's net pay in the form's
// cash field, the second slip 148.5 mm lower.
TEST_F(PaySlipReportTest, TwoSlipsOnThePreprintedForm) {
    const SlipFixture& f = *november_;
    expectMatchesGolden(SlipFixture::page(f.report({kMonthly, kHourlyCash}, f.choices(0)), 1),
                        "print/pay_slip_preprinted_sheet.txt");
}

// Every primitive's y in a recording moved by `dy` pixels.
std::string movedDown(const std::string& recording, int dy) {
    std::istringstream in(recording);
    std::ostringstream out;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string kind;
        fields >> kind;
        if (kind == "font") {
            out << line << '\n';
            continue;
        }
        int x = 0, y = 0;
        fields >> x >> y;
        out << kind << ' ' << x << ' ' << y + dy;
        if (kind != "text") {
            int x2 = 0, y2 = 0;
            fields >> x2 >> y2;
            out << ' ' << x2 << ' ' << y2 + dy;
        }
        std::string rest;
        std::getline(fields, rest);
        out << rest << '\n';
    }
    return out.str();
}

TEST_F(PaySlipReportTest, CorrectionMovesEveryPrimitiveExactly) {
    const SlipFixture& f = *november_;
    for (int formType : {3, 7}) {
        const PaySlipReport report = f.report({kMonthly, kDaily}, f.choices(formType));
        const std::string plain = SlipFixture::page(report, 1);
        EXPECT_EQ(SlipFixture::page(report, 1, -10.0), movedDown(plain, -100)) << formType;
    }
}

TEST_F(PaySlipReportTest, SheetsHoldOneOrTwoSlips) {
    const SlipFixture& f = *november_;
    const PaySlipReport three = f.report({kMonthly, kDaily, kHourlyCash}, f.choices(3));
    EXPECT_EQ(three.pageCount(), 2);
    EXPECT_EQ(three.countText(), " 2枚 [3名]");
    // The second sheet holds the third slip alone, where a sheet's first slip goes.
    const std::string lastSheet = SlipFixture::page(three, 2);
    EXPECT_EQ(lastSheet, SlipFixture::page(f.report({kHourlyCash}, f.choices(3)), 1));
    EXPECT_EQ(SlipFixture::page(three, 3), "");

    const PaySlipReport single = f.report({kMonthly, kDaily, kHourlyCash}, f.choices(5));
    EXPECT_EQ(single.pageCount(), 3);
    EXPECT_EQ(single.countText(), " 3枚 [3名]");
    EXPECT_EQ(SlipFixture::page(single, 2), slip(kDaily, 5));
    EXPECT_EQ(f.report({}, f.choices(3)).pageCount(), 0);
}

TEST(PaySlipOriginTest, OriginsByPaperAndPosition) {
    EXPECT_EQ(slipOrigin(1, false, {}), (SlipOrigin{23.0f, 17.0f}));
    EXPECT_EQ(slipOrigin(5, false, {}), (SlipOrigin{23.0f, 17.0f}));
    EXPECT_EQ(slipOrigin(3, false, {}), (SlipOrigin{0.0f, -0.5f}));
    EXPECT_EQ(slipOrigin(3, true, {}), (SlipOrigin{0.0f, 148.0f}));
    EXPECT_EQ(slipOrigin(4, true, {.previewAtZoomOne = true}), (SlipOrigin{0.0f, 149.0f}));
}

TEST_F(PaySlipReportTest, PapersAndPictures) {
    const SlipFixture& f = *november_;
    const PaySlipReport b5 = f.report({kMonthly, kDaily}, f.choices(1));
    EXPECT_EQ(b5.paper(), (PaperChoice{Paper::B5, Orientation::Landscape}));
    EXPECT_EQ(b5.picturePaper(), (PaperChoice{Paper::B5, Orientation::Landscape}));
    EXPECT_EQ(b5.pictureCount(), 2);
    EXPECT_EQ(b5.pictureName(1), "給与08-11[渡辺　翔太]");
    EXPECT_FALSE(b5.hasFormPicture());

    const PaySlipReport a4 = f.report({kMonthly, kDaily}, f.choices(3));
    EXPECT_EQ(a4.paper(), (PaperChoice{Paper::A4, Orientation::Portrait}));
    EXPECT_EQ(a4.picturePaper(), (PaperChoice{Paper::A5, Orientation::Landscape}));
    // A picture is one slip at the place of a sheet's first slip; the canvas keeps its origin.
    RecordingCanvas picture(k10PerMm);
    a4.drawPicture(picture, 1);
    EXPECT_EQ(picture.recording(), slip(kDaily, 3));
    picture.transform().setOrigin(5.0f, 7.0f);
    a4.drawPage(picture, 1, {});
    EXPECT_EQ(picture.transform().originX(), 5.0f);
    EXPECT_EQ(picture.transform().originY(), 7.0f);
}

TEST_F(PaySlipReportTest, PreprintedFormsHaveAPictureOfTheirFrame) {
    const SlipFixture& f = *november_;
    for (int formType : {0, 4}) {
        const PaySlipReport report = f.report({kMonthly}, f.choices(formType));
        ASSERT_TRUE(report.hasFormPicture());
        RecordingCanvas frame(k10PerMm);
        report.drawFormPicture(frame);
        // Both slip positions, no values.
        const std::string& drawn = frame.recording();
        EXPECT_EQ(drawn.find("高橋"), std::string::npos);
        const std::string label = formType == 0 ? "\"明細書\"" : "\"支給日\"";
        const std::size_t first = drawn.find(label);
        ASSERT_NE(first, std::string::npos);
        EXPECT_NE(drawn.find(label, first + 1), std::string::npos);
    }
}

TEST_F(PaySlipReportTest, UnreadableDataFileOrBadSlotFailsTheReport) {
    const SlipFixture& f = *november_;
    const std::filesystem::path missing = f.demo.folder / "missing.dat";
    EXPECT_THROW(PaySlipReport(f.period(), {kMonthly}, missing, f.choices(3)), IoError);
    // The grid design prints no year-to-date block and needs no file.
    EXPECT_NO_THROW(PaySlipReport(f.period(), {kMonthly}, missing, f.choices(7)));
    EXPECT_THROW(f.report({kMonthly, kMaxEmployees + 1}, f.choices(7)), std::out_of_range);
}

}  // namespace
}  // namespace keiro::print

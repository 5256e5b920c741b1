// A report built once draws every page and picture exactly as the report itself would, counts the
// pages it built, and builds the preview's zoom-1 sheets apart.
#include <gtest/gtest.h>

#include <memory>

#include "print/built_report.h"
#include "print/recording_canvas.h"
#include "tests/print/slip_fixture.h"

namespace keiro::print {
namespace {

std::string directPage(const Report& report, int page, const PageOptions& options = {}) {
    RecordingCanvas canvas(k10PerMm);
    canvas.transform().setCorrection(0.3, -0.2);
    report.drawPage(canvas, page, options);
    return canvas.recording();
}

std::string builtPage(const Report& report, int page, const PageOptions& options = {}) {
    RecordingCanvas canvas(k10PerMm);
    canvas.transform().setCorrection(0.3, -0.2);
    canvas.transform().setOrigin(5.0f, 7.0f);  // the caller's origin is kept, not used
    report.drawPage(canvas, page, options);
    EXPECT_EQ(canvas.transform().originX(), 5.0f);
    return canvas.recording();
}

class BuiltReportTest : public NovemberSlipsTest {};

TEST_F(BuiltReportTest, EveryPageOfEveryFormTypeDrawsAsTheReportItself) {
    const SlipFixture& f = *november_;
    for (int formType = 0; formType <= 7; ++formType) {
        SCOPED_TRACE(formType);
        const PaySlipReport report = f.report({1, 2, 3}, f.choices(formType));
        const BuiltReport built(report);
        ASSERT_EQ(built.pageCount(), report.pageCount());
        ASSERT_GT(built.pageCount(), 0);
        EXPECT_EQ(built.document().pageCount(), report.pageCount());
        for (int page = 1; page <= report.pageCount(); ++page)
            EXPECT_EQ(builtPage(built, page), directPage(report, page)) << "page " << page;
        EXPECT_EQ(built.countText(), report.countText());
        EXPECT_EQ(built.paper(), report.paper());
    }
}

TEST_F(BuiltReportTest, ThePreviewAtZoomOneGetsItsOwnSheets) {
    const SlipFixture& f = *november_;
    const PageOptions zoomOne{.previewAtZoomOne = true};
    auto source = std::make_unique<PaySlipReport>(f.report({1, 2}, f.choices(3)));
    const std::string expected = directPage(*source, 1, zoomOne);
    const std::string plain = directPage(*source, 1);
    ASSERT_NE(expected, plain);  // the second slip sits 1 mm lower
    const BuiltReport built(std::move(source));
    EXPECT_EQ(builtPage(built, 1, zoomOne), expected);
    EXPECT_EQ(builtPage(built, 1), plain);
    EXPECT_EQ(builtPage(built, 2), "");  // no such page
}

TEST_F(BuiltReportTest, PicturesDrawAsTheReportDrawsThem) {
    const SlipFixture& f = *november_;
    const PaySlipReport report = f.report({1, 2}, f.choices(3));
    const PageDocument pictures = pictureDocument(report);
    ASSERT_EQ(pictures.pageCount(), 2);
    for (int index = 0; index < 2; ++index) {
        RecordingCanvas direct(k10PerMm);
        report.drawPicture(direct, index);
        RecordingCanvas fromBuild(k10PerMm);
        pictures.drawPage(fromBuild, index + 1);
        EXPECT_EQ(fromBuild.recording(), direct.recording()) << index;
    }
}

}  // namespace
}  // namespace keiro::print

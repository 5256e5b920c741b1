// The files of the per-employee slip PDFs: names by code and period that any file system holds,
// the employees refused because their file would have no name of its own, and the hand-over
// notice's page for each new password.
#include <gtest/gtest.h>

#include "print/employee_pdf_names.h"
#include "print/password_notice_report.h"
#include "print/recording_canvas.h"

namespace keiro::print {
namespace {

TEST(ReportPdfName, JoinsTitleAndCompanyIntoOneSafeName) {
    EXPECT_EQ(reportPdfName({"社員別給与台帳 令和8年", "山田商店"}),
              "社員別給与台帳_令和8年_山田商店.pdf");
    EXPECT_EQ(reportPdfName({"月別一覧　11月", "A/B 商会"}), "月別一覧_11月_A_B_商会.pdf");
    EXPECT_EQ(reportPdfName({"", ""}), "帳票.pdf");
}

TEST(EmployeePdfNames, PeriodTokensAndFileNames) {
    EXPECT_EQ(periodFileToken(2026, 5), "2026-05");
    EXPECT_EQ(periodFileToken(2026, 12), "2026-12");
    EXPECT_EQ(periodFileToken(2026, 13), "2026-賞与1");
    EXPECT_EQ(periodFileToken(2026, 15), "2026-賞与3");
    EXPECT_EQ(employeePdfName(" 001 ", "2026-05"), "001_2026-05.pdf");
    EXPECT_EQ(employeePdfName("A/1:*", "2026-05"), "A_1___2026-05.pdf");  // never a sub-folder
    EXPECT_EQ(employeePdfName("..", "2026-05"), "_._2026-05.pdf");        // never hidden
    EXPECT_EQ(passwordNoticeName("2026-賞与1"), "パスワード通知書_2026-賞与1.pdf");
}

TEST(EmployeePdfNames, EmployeesWithoutACodeOrWithAnotherOnesFileAreListed) {
    auto block = std::make_unique<PeriodBlock>();
    const char* codes[] = {"001", "", "A/1", "002", "A:1", " "};
    const char* names[] = {"山田 太郎", "鈴木 花子", "佐藤 一郎",
                           "高橋 次郎", "田中 三郎", "伊藤 四郎"};
    for (int slot = 1; slot <= 6; ++slot) {
        block->employee(slot).recordId.assign("k" + std::to_string(slot));
        block->employee(slot).employeeCode.assign(codes[slot - 1]);
        block->employee(slot).name.assign(names[slot - 1]);
    }
    EXPECT_TRUE(employeesWithoutOwnFile(*block, {1, 4}, "2026-05").empty());
    const auto unnamed = employeesWithoutOwnFile(*block, {1, 2, 3, 4, 5, 6}, "2026-05");
    ASSERT_EQ(unnamed.size(), 4u);
    EXPECT_EQ(unnamed[0].slot, 2);
    EXPECT_EQ(unnamed[0].reason, "社員コードがありません");
    EXPECT_EQ(unnamed[1].slot, 3);  // "A/1" and "A:1" both become A_1_2026-05.pdf
    EXPECT_EQ(unnamed[1].reason, "社員コードが重複しています");
    EXPECT_EQ(unnamed[2].slot, 5);
    EXPECT_EQ(unnamed[3].slot, 6);  // blanks only
    const std::string message = unnamedEmployeesMessage(unnamed);
    for (const char* name : {"鈴木 花子", "佐藤 一郎", "田中 三郎", "伊藤 四郎"})
        EXPECT_NE(message.find(name), std::string::npos) << name;
    EXPECT_EQ(message.find("山田"), std::string::npos);
}

std::string pageText(const RecordingCanvas& canvas) {
    std::string text;
    for (const auto& glyphs : canvas.texts()) {
        for (const Glyph& glyph : glyphs) text += glyph.character;
        text += '\n';
    }
    return text;
}

TEST(PasswordNotice, OnePagePerEmployeeWithItsOwnPassword) {
    const PasswordNoticeReport report("株式会社サンプル", "令和8年 5月分給与",
                                      {{"001", "山田 太郎", "Kd7fPq3wXyzA", "001_2026-05.pdf"},
                                       {"002", "鈴木 花子", "Tr4mWn6pEhcJ", "002_2026-05.pdf"}});
    EXPECT_EQ(report.pageCount(), 2);
    EXPECT_EQ(report.paper(), (PaperChoice{Paper::A4, Orientation::Portrait}));
    RecordingCanvas canvas;
    report.drawPage(canvas, 2, PageOptions{});
    const std::string text = pageText(canvas);
    for (const char* expected : {"鈴木 花子", "002", "Tr4mWn6pEhcJ", "002_2026-05.pdf",
                                 "令和8年 5月分給与", "株式会社サンプル"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    EXPECT_EQ(text.find("Kd7fPq3wXyzA"), std::string::npos);  // never another's password
}

}  // namespace
}  // namespace keiro::print

#include "print/password_notice_report.h"

#include <array>
#include <string_view>

#include "print/page_count.h"

namespace keiro::print {
namespace {

constexpr float kLeft = 25.0f;
constexpr float kRight = 185.0f;
constexpr float kLabelRight = 62.0f;  // the labels' column in the box
constexpr float kBoxTop = 62.0f;
constexpr float kRowHeight = 12.0f;

constexpr std::array<std::string_view, 5> kInstructions = {
    "・給与明細書は、パスワードで保護したPDFファイルでお渡しします。",
    "・ファイルを開くとパスワードを求められますので、上記のパスワードを",
    "　半角で、大文字と小文字を区別して入力してください。",
    "・このパスワードは今後の明細書にも使います。本書は他の人の目に",
    "　触れないよう保管し、パスワードを他の人に教えないでください。",
};
constexpr std::string_view kContact =
    "・パスワードを変更したいときは、給与の担当者にお申し出ください。";

FontInfo gothic(float points, bool bold = false) {
    FontInfo font;
    font.face = "ＭＳ ゴシック";
    font.sizeMm = pointsToMm(points);
    font.bold = bold;
    return font;
}

FontInfo mincho(float points) {
    FontInfo font;
    font.sizeMm = pointsToMm(points);
    return font;
}

// One row of the box: its label on the left, the value right of the dividing line.
void boxRow(Canvas& canvas, int row, std::string_view label, std::string_view value,
            const FontInfo& valueFont) {
    const float top = kBoxTop + kRowHeight * static_cast<float>(row);
    if (row > 0) canvas.putLine(kLeft, top, kRight, top);
    canvas.setFont(mincho(11));
    canvas.putText(label, kLeft + 4.0f, top + (kRowHeight - canvas.font().sizeMm) / 2);
    canvas.setFont(valueFont);
    canvas.putText(value, kLabelRight + 5.0f, top + (kRowHeight - valueFont.sizeMm) / 2);
}

}  // namespace

PasswordNoticeReport::PasswordNoticeReport(std::string company, std::string period,
                                           std::vector<PasswordNotice> notices)
    : company_(std::move(company)), period_(std::move(period)), notices_(std::move(notices)) {}

int PasswordNoticeReport::pageCount() const {
    return static_cast<int>(notices_.size());
}

std::string PasswordNoticeReport::countText() const {
    return pagesAndPeopleText(pageCount(), pageCount());
}

PaperChoice PasswordNoticeReport::paper() const {
    return {Paper::A4, Orientation::Portrait};
}

void PasswordNoticeReport::drawPage(Canvas& canvas, int page, const PageOptions&) const {
    const PasswordNotice& notice = notices_.at(static_cast<std::size_t>(page - 1));
    canvas.setPen(Pen::Thin);
    canvas.setFont(gothic(18, true));
    canvas.putText("給与明細書（PDF）パスワードのお知らせ", kLeft, 25.0f);
    canvas.setFont(mincho(11));
    canvas.putText(company_, kLeft, 40.0f);
    canvas.putText(notice.name + "　様", kLeft, 48.0f);

    constexpr int kRows = 5;
    canvas.setPen(Pen::Thick);
    canvas.putBox(kLeft, kBoxTop, kRight, kBoxTop + kRowHeight * kRows);
    canvas.setPen(Pen::Thin);
    canvas.putLine(kLabelRight, kBoxTop, kLabelRight, kBoxTop + kRowHeight * kRows);
    boxRow(canvas, 0, "対象", period_ + "から", mincho(11));
    boxRow(canvas, 1, "社員コード", notice.employeeCode, mincho(11));
    boxRow(canvas, 2, "氏名", notice.name, mincho(11));
    boxRow(canvas, 3, "ファイル名", notice.fileName, gothic(11));
    boxRow(canvas, 4, "パスワード", notice.password, gothic(22, true));

    canvas.setFont(mincho(10.5f));
    float y = kBoxTop + kRowHeight * kRows + 12.0f;
    for (const std::string_view line : kInstructions) {
        canvas.putText(line, kLeft, y);
        y += 6.5f;
    }
    canvas.putText(kContact, kLeft, y);
}

}  // namespace keiro::print

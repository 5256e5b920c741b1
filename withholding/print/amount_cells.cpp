#include "withholding/print/amount_cells.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/entry.h"
#include "print/fitted_text.h"

namespace keiro::withholding {
namespace {

struct StyleGeometry {
    float width;
    float spacing;
    float points;
};

constexpr float kGroupTextBefore = 5.5f;         // a group's text from its end
constexpr float kDeductionMillionsAfter = 4.0f;  // "%3d," from the millions group's end

StyleGeometry geometry(AmountStyle style) {
    switch (style) {
        case AmountStyle::Main:
            return {25.0f, 9.0f, 8.5f};
        case AmountStyle::Spouse:
            return {19.0f, 9.5f, 9.0f};
        case AmountStyle::Deduction:
            break;
    }
    return {30.0f, 15.0f, 7.5f};
}

std::string printed(const char* format, long long value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

float amountCellWidth(AmountStyle style) {
    return geometry(style).width;
}

float amountGroupSpacing(AmountStyle style) {
    return geometry(style).spacing;
}

bool fitsAmountColumns(AmountStyle style, long long amount) {
    const long long limit = style == AmountStyle::Spouse ? 999'999 : 999'999'999;
    return amount >= -limit && amount <= limit;
}

print::FontInfo amountFont(AmountStyle style) {
    print::FontInfo font;
    font.face = "ＭＳ ゴシック";
    font.sizeMm = print::pointsToMm(geometry(style).points);
    return font;
}

std::vector<AmountGroup> amountGroups(AmountStyle style, long long amount) {
    const StyleGeometry g = geometry(style);
    const long long value = std::llabs(amount);
    const float unitsEnd = g.width;
    const float thousandsEnd = g.width - g.spacing;
    const float millionsEnd = g.width - 2 * g.spacing;

    std::vector<AmountGroup> groups;
    if (value / 1'000'000 != 0) {
        if (style == AmountStyle::Deduction) {
            // Millions share the 千 column with the thousands: they start right of the column's
            // beginning, so a comma parts them.
            groups.push_back(
                {printed("%3lld,", value / 1'000'000), millionsEnd + kDeductionMillionsAfter});
        } else {
            groups.push_back({printed("%3lld", value / 1'000'000), millionsEnd - kGroupTextBefore});
        }
    }
    if (value > 999) {
        groups.push_back({printed(value > 999'999 ? "%.3lld" : "%3lld", value / 1000 % 1000),
                          thousandsEnd - kGroupTextBefore});
    }
    groups.push_back(
        {printed(value > 999 ? "%.3lld" : "%3lld", value % 1000), unitsEnd - kGroupTextBefore});
    if (amount < 0) {
        // The sign goes right before the highest group's first digit.
        AmountGroup& top = groups.front();
        const std::size_t digit = top.text.find_first_not_of(' ');
        if (digit == 0) {
            top.text.insert(0, "-");
        } else {
            top.text[digit - 1] = '-';
        }
    }
    return groups;
}

void putStyledAmount(print::Canvas& canvas, AmountStyle style, long long amount, float x, float y) {
    const print::FontInfo previous = canvas.font();
    canvas.setFont(amountFont(style));
    if (!fitsAmountColumns(style, amount)) {
        // Right-aligned in the cell, shrunk when even that is too narrow.
        const std::string text = formatAmount(1, amount);
        const float room = amountCellWidth(style) - 1.0f;
        const float width = std::min(print::textWidth(canvas, text), room);
        print::putTextWithin(canvas, text, x + 0.5f + room - width, y, width);
        canvas.setFont(previous);
        return;
    }
    for (const AmountGroup& group : amountGroups(style, amount)) {
        // A sign before a full group grows leftwards.
        const std::size_t designed = group.text.back() == ',' ? 4 : 3;
        const float extra = group.text.size() > designed
                                ? canvas.pitch() * static_cast<float>(group.text.size() - designed)
                                : 0.0f;
        canvas.putText(group.text, x + group.x - extra, y);
    }
    canvas.setFont(previous);
}

void putAmountEndingAt(print::Canvas& canvas, long long amount, float right, float y) {
    const std::string text = formatAmount(1, amount);
    canvas.putText(text, right - print::textWidth(canvas, text), y);
}

}  // namespace keiro::withholding

#include "print/slip_grid_items.h"

#include <span>
#include <string_view>

#include "core/item_values.h"
#include "print/slip_values.h"

namespace keiro::print {
namespace {

using Order = std::span<const std::string_view>;

// The grid design's own order of items ("" is a blank entry).
// clang-format off
constexpr std::string_view kSalaryPay[] = {
    "F基本給", "F役職手当", "F家族手当", "F固定手当１", "F固定手当２", "F固定手当３",
    "V変動手当１", "V変動手当２", "V変動手当３",
    "F普通残業手当", "F深夜残業手当", "F休日普通残業", "F休日深夜残業", "F非課税通勤費",
    "F課税通勤費", "", "", "",
    "F欠勤控除", "F遅刻早退控除"};
constexpr std::string_view kBonusPay[] = {
    "V賞与", "V役員報酬", "", "F固定手当１", "F固定手当２", "F固定手当３",
    "V変動手当１", "V変動手当２", "V変動手当３"};
// 子ども・子育て支援金 and 年調過不足 join the second line after 住民税, where two cells are
// always free.
constexpr std::string_view kDeductions[] = {
    "F健康保険料", "F介護保険料", "F厚生年金保険", "F厚生年金基金", "F雇用保険料",
    "F固定控除１", "F固定控除２", "F固定控除３", "V変動控除１",
    "V変動控除２", "V変動控除３", "F所得税", "F住民税", "F子ども・子育て支援金",
    "V年調過不足"};
constexpr std::string_view kAttendance[] = {
    "F所定労働日数", "V出勤日数", "V休日出勤日数", "V有休日数", "V欠勤日数", "V特別休暇日数",
    "V遅刻早退回数", "V遅刻早退時間", "",
    "F所定労働時間", "V実働時間", "V普通残業時間", "V深夜残業時間", "V休日普通残業",
    "V休日深夜残業"};
constexpr std::string_view kOthers[] = {"Vその他１", "Vその他２", "Vその他３"};
// clang-format on

// The cells of one band, filled from one employee's records.
class BandCells {
  public:
    BandCells(const SlipPeriod& period, int slot, const ActiveItems& active, Band band,
              std::vector<GridCell>& cells)
        : period_(period),
          slot_(slot),
          band_(band),
          payForm_(period.block->employee(slot).payForm),
          kind_(isBonusPeriod(period.period) ? LayoutKind::Bonus : LayoutKind::Salary),
          active_(active),
          cells_(cells) {}

    // The entries of `order`, nine to a line, closed up to the left within each line.
    void fill(Order order) {
        int column = 0;
        for (std::size_t i = 0; i < order.size(); ++i) {
            const int line = static_cast<int>(i) / kGridColumns;
            if (i % kGridColumns == 0) column = 0;
            if (order[i].empty() || !isPrinted(order[i])) continue;
            cells_.push_back({line, column++, itemLine(order[i])});
        }
    }

    // An item of the layout in a fixed cell, when the layout prints it.
    void fixed(int line, int column, std::string_view code) {
        if (isPrinted(code)) cells_.push_back({line, column, itemLine(code)});
    }

    // A total, always printed.
    void total(int line, int column, std::string_view name, long long yen) {
        cells_.push_back({line, column, {std::string(name), slipAmount(yen)}});
    }

  private:
    bool isPrinted(std::string_view code) const {
        const LayoutItem item = describe(code);
        // An item the user named "" is on no slip, as a blank row.
        return !item.label.empty() && active_.isActive(payForm_, band_, item.source) &&
               printsOnSlip(item, *period_.block, slot_);
    }

    LayoutItem describe(std::string_view code) const {
        return describeLayoutItem(*period_.names, kind_, band_, 0, code);
    }

    SlipLine itemLine(std::string_view code) const {
        const LayoutItem item = describe(code);
        return {slipName(layoutRowCaption(*period_.names, kind_, band_, code, payForm_)),
                slipValue(item, *period_.block, slot_, period_.settings->timeStyle)};
    }

    const SlipPeriod& period_;
    int slot_;
    Band band_;
    int payForm_;
    LayoutKind kind_;
    const ActiveItems& active_;
    std::vector<GridCell>& cells_;
};

}  // namespace

SlipGrid collectGrid(const SlipPeriod& period, int slot, const SlipData& slip) {
    SlipGrid grid;
    const bool bonus = isBonusPeriod(period.period);
    const ActiveItems active(*period.tables, *period.names);

    BandCells pay(period, slot, active, Band::Pay, grid.pay);
    pay.fill(bonus ? Order(kBonusPay) : Order(kSalaryPay));
    pay.fixed(2, 7, "F課税支給合計");
    pay.total(2, 8, "支給合計", slip.payTotal);

    BandCells deduction(period, slot, active, Band::Deduction, grid.deduction);
    deduction.fill(kDeductions);
    deduction.fixed(1, 6, "F社会保険料計");
    deduction.fixed(1, 7, "F社保控除後計");
    deduction.total(2, 8, "控除合計", slip.deductionTotal);

    BandCells attendance(period, slot, active, Band::Attendance, grid.attendance);
    attendance.fill(kAttendance);
    attendance.fixed(1, 7, "V有休残日数");

    BandCells other(period, slot, active, Band::Other, grid.other);
    other.fill(kOthers);
    other.total(0, 4, "その他合計", slip.otherTotal);
    other.total(0, 8, "差引支給額", slip.netPay);
    return grid;
}

}  // namespace keiro::print

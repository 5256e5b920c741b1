#include "payroll/config_checks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <span>

#include "core/check_digits.h"
#include "core/entry.h"
#include "core/layouts.h"

namespace keiro::payroll {
namespace {

constexpr std::array<std::string_view, 5> kFreeNameControlStems = {
    "edFixTeate", "edVarTeate", "edFixKoujo", "edVarKoujo", "edSonota"};

// Attendance items 6, 7, 8, 9, 10, 11 and 13 hold hours.
constexpr std::array<bool, kAttendanceItemCount> kHoursItems = {false, false, false, false, false,
                                                                false, true,  true,  true,  true,
                                                                true,  true,  false, true,  false};

// The rate boxes with the caption their messages name.
struct RateBox {
    double CompanyEntry::*field;
    const char* control;
    std::string_view caption;
};
constexpr std::array<RateBox, 6> kRateBoxes = {{
    {&CompanyEntry::employmentInsRate, "edKoyRitu", "雇用保険"},
    {&CompanyEntry::healthInsRate, "edKenRitu", "健康保険"},
    {&CompanyEntry::nursingInsRate, "edKaiRitu", "介護保険"},
    {&CompanyEntry::pensionRate, "edNenRitu", "厚生年金"},
    {&CompanyEntry::pensionFundRate, "edKknRitu", "厚生年金基金"},
    {&CompanyEntry::supportRate, "edSienRitu", "子ども・子育て支援金"},
}};

constexpr std::string_view kMsgEmploymentShareHigh =
    "雇用保険の保険料負担率が1%を超えています。\n"
    "被保険者負担分の料率を入力しているか確認してください。\nこのまま設定しますか？";

std::string healthShareMessage(double share, const calc::RatesOfPeriod& rates) {
    char text[512];
    std::snprintf(text, sizeof text,
                  "健康保険の保険料負担率 %.3f%% は、%sの協会けんぽの都道府県別の料率（被保険者"
                  "負担分）のどれとも0.5%%より離れています。\n健康保険組合の料率であれば、この"
                  "まま設定できます。\nこのまま設定しますか？",
                  share, rates.healthFiscalYearText.c_str());
    return text;
}

constexpr std::array<std::string_view, 5> kReservedWords = {"日給計", "時給計", "支給合計",
                                                            "控除合計", "差引支給額"};

std::string numbered(std::string_view stem, int number, bool twoDigits) {
    char digits[16];
    std::snprintf(digits, sizeof digits, twoDigits ? "%02d" : "%d", number);
    return std::string(stem) + digits;
}

// Every name the standard layouts know an item by, without the kind letter.
const std::set<std::string>& layoutNames() {
    static const std::set<std::string> names = [] {
        std::set<std::string> all;
        for (const LayoutKind kind : {LayoutKind::Salary, LayoutKind::Bonus}) {
            for (const auto& band : defaultLayout(kind).bands) {
                for (const LayoutRow& row : band) {
                    if (row.code.size() > 1) all.insert(row.code.substr(1));
                }
            }
        }
        for (const ItemDefinition& item : kItemDefinitions)
            all.insert(std::string(item.defaultName));
        for (const std::string_view word : kReservedWords) all.insert(std::string(word));
        return all;
    }();
    return names;
}

ConfigFailure failure(ConfigPage page, std::string control, std::string_view message) {
    return {page, std::move(control), std::string(message)};
}

// A group of names shown on one page: each box's name and its control.
struct NameGroup {
    ConfigPage page;
    std::span<const std::string> names;
    std::string (*control)(int);
};

std::optional<ConfigFailure> checkMissing(const NameGroup& group) {
    for (std::size_t i = 0; i < group.names.size(); ++i) {
        if (group.names[i].empty()) {
            return failure(group.page, group.control(static_cast<int>(i)), kMsgItemNameRequired);
        }
    }
    return std::nullopt;
}

// The later of two equal names is the one to correct.
std::optional<ConfigFailure> checkDuplicates(const NameGroup& group) {
    for (std::size_t i = 1; i < group.names.size(); ++i) {
        const auto earlier = group.names.subspan(0, i);
        if (std::find(earlier.begin(), earlier.end(), group.names[i]) != earlier.end()) {
            return failure(group.page, group.control(static_cast<int>(i)), kMsgItemNameDuplicate);
        }
    }
    return std::nullopt;
}

std::optional<ConfigFailure> checkHoursWords(std::span<const std::string> attendance) {
    for (std::size_t i = 0; i < attendance.size(); ++i) {
        const bool hours = kHoursItems[i];
        if (isTimeItem(attendance[i]) != hours) {
            return failure(ConfigPage::ItemNames, attendanceNameControl(static_cast<int>(i)),
                           hours ? kMsgHoursNameNeedsWord : kMsgNotAnHoursName);
        }
    }
    return std::nullopt;
}

std::optional<ConfigFailure> checkReserved(const ItemNameEntries& names) {
    for (int i = 0; i < kFreeNameCount; ++i) {
        const std::string& name = names.freeItems[i];
        const bool taken =
            isReservedFreeItemName(name, i) ||
            std::find(names.attendance.begin(), names.attendance.end(), name) !=
                names.attendance.end() ||
            std::find(names.payment.begin(), names.payment.end(), name) != names.payment.end();
        if (taken)
            return failure(ConfigPage::FreeItems, freeNameControl(i), reservedNameMessage(name));
    }
    return std::nullopt;
}

}  // namespace

std::string rateRangeMessage(std::string_view caption) {
    return std::string(caption) + "の保険料負担率は0〜30%の範囲で入力してください。";
}

std::string reservedNameMessage(std::string_view name) {
    return "項目名｢" + std::string(name) +
           "｣は既に設定されている項目名です。\n同じ項目名を複数設定する事は出来ません。";
}

std::string attendanceNameControl(int index) {
    return numbered("edKintai", index + 1, true);
}

std::string paymentNameControl(int index) {
    return numbered("edSikyu", index + 1, true);
}

std::string freeNameControl(int index) {
    return numbered(kFreeNameControlStems[static_cast<std::size_t>(index / 3)], index % 3 + 1,
                    false);
}

std::string taxableFlagControl(int index) {
    return numbered("cbKazei", index, false);
}

std::string socialInsFlagControl(int index) {
    return numbered("cbHoken", index, false);
}

bool isHoursAttendanceItem(int index) {
    return index >= 0 && index < kAttendanceItemCount && kHoursItems[index];
}

std::optional<std::int64_t> corporateNumberValue(std::string_view text) {
    if (text.empty()) return 0;
    if (text.size() != 13) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool isReservedFreeItemName(std::string_view name, int freeIndex) {
    const std::string_view own = kItemDefinitions[kFirstFreeItem + freeIndex].defaultName;
    return name != own && layoutNames().contains(std::string(name));
}

std::optional<ConfigFailure> checkCompanyEntry(const CompanyEntry& e) {
    const ConfigPage page = ConfigPage::CompanyInfo;
    if (e.companyName.empty()) return failure(page, "edSyamei", kMsgNoCompanyName);
    if (!corporateNumberValue(e.corporateNumber)) {
        return failure(page, "edHouNo", kMsgBadCorporateNumber);
    }
    if (!e.corporateNumber.empty() && !isValidCorporateNumber(e.corporateNumber)) {
        return failure(page, "edHouNo", kMsgCorporateNumberCheckDigit);
    }
    if (e.payDay < 1 || e.payDay > 31) return failure(page, "edSikyubi", kMsgBadPayDay);
    if (!(e.hoursPerDay > 0)) return failure(page, "edJikanD", kMsgNoHoursPerDay);
    const std::pair<double, const char*> required[] = {{e.employmentInsRate, "edKoyRitu"},
                                                       {e.healthInsRate, "edKenRitu"},
                                                       {e.nursingInsRate, "edKaiRitu"},
                                                       {e.pensionRate, "edNenRitu"}};
    for (const auto& [rate, control] : required) {
        if (!(rate > 0)) return failure(page, control, kMsgNoInsuranceRate);
    }
    if (!(e.pensionFundRate >= 0)) return failure(page, "edKknRitu", kMsgNoInsuranceRate);
    if (!(e.supportRate >= 0)) return failure(page, "edSienRitu", kMsgNoInsuranceRate);
    for (const RateBox& box : kRateBoxes) {
        if (!(e.*box.field <= kHighestRatePercent)) {
            return failure(page, box.control, rateRangeMessage(box.caption));
        }
    }
    return std::nullopt;
}

std::vector<ConfigFailure> rateWarnings(const CompanyEntry& shown, const CompanyEntry& entered,
                                        const calc::RatesOfPeriod& rates) {
    std::vector<ConfigFailure> warnings;
    const ConfigPage page = ConfigPage::CompanyInfo;
    if (entered.employmentInsRate != shown.employmentInsRate &&
        entered.employmentInsRate > kHighestEmploymentShare) {
        warnings.push_back(failure(page, "edKoyRitu", kMsgEmploymentShareHigh));
    }
    const double health = entered.healthInsRate;
    const bool nearAPrefecture = std::any_of(
        rates.healthShares.begin(), rates.healthShares.end(),
        [&](double share) { return std::fabs(health - share) <= kHealthShareTolerance; });
    if (health != shown.healthInsRate && !rates.healthShares.empty() && !nearAPrefecture) {
        warnings.push_back(failure(page, "edKenRitu", healthShareMessage(health, rates)));
    }
    return warnings;
}

std::optional<ConfigFailure> checkItemNames(const ItemNameEntries& names) {
    const NameGroup attendance{ConfigPage::ItemNames, names.attendance, attendanceNameControl};
    const NameGroup payment{ConfigPage::ItemNames, names.payment, paymentNameControl};
    const NameGroup freeItems{ConfigPage::FreeItems, names.freeItems, freeNameControl};

    if (auto f = checkMissing(attendance)) return f;
    if (auto f = checkHoursWords(names.attendance)) return f;
    if (auto f = checkDuplicates(attendance)) return f;
    if (auto f = checkMissing(payment)) return f;
    if (auto f = checkDuplicates(payment)) return f;
    if (auto f = checkMissing(freeItems)) return f;
    if (names.extraBonusCaption.empty()) {
        return failure(ConfigPage::FreeItems, std::string(kExtraBonusCaptionControl),
                       kMsgItemNameRequired);
    }
    if (auto f = checkDuplicates(freeItems)) return f;
    return checkReserved(names);
}

std::optional<ConfigFailure> checkConfigEntries(const CompanyEntry& entry,
                                                const ItemNameEntries& names) {
    if (auto f = checkCompanyEntry(entry)) return f;
    return checkItemNames(names);
}

bool premiumRatesChanged(const CompanyEntry& shown, const CompanyEntry& entered) {
    return shown.healthInsRate != entered.healthInsRate ||
           shown.nursingInsRate != entered.nursingInsRate ||
           shown.pensionRate != entered.pensionRate ||
           shown.pensionFundRate != entered.pensionFundRate ||
           shown.supportRate != entered.supportRate;
}

}  // namespace keiro::payroll

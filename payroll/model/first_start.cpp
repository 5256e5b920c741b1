#include "payroll/model/first_start.h"

namespace keiro::payroll {

bool paidNextMonth(int payDay, int closingDay) {
    return closingDay >= payDay;
}

FirstStartProblem firstStartProblem(const FirstStartAnswers& answers,
                                    const calc::RatesOfPeriod& rates) {
    using Field = FirstStartProblem::Field;
    const auto isDay = [](int day) { return day >= 1 && day <= 31; };
    if (answers.companyName.empty()) return {Field::CompanyName, "会社名称を入力して下さい。"};
    if (!rates.healthShares.empty() &&
        (answers.healthRateIndex < 0 ||
         answers.healthRateIndex >= static_cast<int>(rates.healthShares.size())))
        return {Field::Prefecture, "健康保険の都道府県を選んで下さい。"};
    if (!isDay(answers.address.closingDay))
        return {Field::ClosingDay, "締め日は1〜31の範囲で入力してください（月末は31）。"};
    if (!isDay(answers.payDay))
        return {Field::PayDay, "給与支給日は1〜31の範囲で入力してください（月末は31）。"};
    if (!(answers.hoursPerDay > 0 && answers.hoursPerDay <= 24))
        return {Field::HoursPerDay, "日労働時間数は0より大きく24以下で入力してください。"};
    return {};
}

void applyFirstStart(PeriodSettings& settings, const FirstStartAnswers& answers,
                     const calc::RatesOfPeriod& rates) {
    settings.companyName.assign(answers.companyName);
    settings.companyName.clearTail();
    settings.generalBusiness = answers.generalBusiness ? 1 : 0;
    settings.payDay = answers.payDay;
    settings.payNextMonth = paidNextMonth(answers.payDay, answers.address.closingDay) ? 1 : 0;
    settings.hoursPerDay = answers.hoursPerDay;
    settings.employmentInsRate =
        answers.generalBusiness ? rates.generalEmployment : rates.otherEmployment;
    if (answers.healthRateIndex >= 0 &&
        answers.healthRateIndex < static_cast<int>(rates.healthShares.size()))
        settings.healthInsRate =
            rates.healthShares[static_cast<std::size_t>(answers.healthRateIndex)];
    settings.nursingInsRate = rates.nursing;
    settings.pensionRate = rates.pension;
    settings.supportRate = rates.support;
}

}  // namespace keiro::payroll

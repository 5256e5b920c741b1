// The checks of the common settings dialog's OK, without any window: which entry is refused,
// with which message, and which box gets the focus.
#include "payroll/config_checks.h"

#include <QString>

#include "tests/support/qt_test_main.h"

namespace keiro::payroll {
namespace {

CompanyEntry validCompany() {
    CompanyEntry e;
    e.companyName = "株式会社テスト";
    e.corporateNumber = "7000012050002";
    e.payDay = 25;
    e.hoursPerDay = 8;
    e.employmentInsRate = 0.3;
    e.healthInsRate = 5.14;
    e.nursingInsRate = 0.865;
    e.pensionRate = 9.15;
    e.pensionFundRate = 0;
    return e;
}

ItemNameEntries defaultNames() {
    const ItemNames defaults;
    ItemNameEntries names;
    for (int i = 0; i < kAttendanceItemCount; ++i) names.attendance[i] = defaults[i];
    for (int i = 0; i < kPaymentNameCount; ++i) names.payment[i] = defaults[kBasePayItem + i];
    for (int i = 0; i < kFreeNameCount; ++i) names.freeItems[i] = defaults[kFirstFreeItem + i];
    names.extraBonusCaption = defaults.extraBonusCaption;
    return names;
}

QString describe(const std::optional<ConfigFailure>& failure) {
    if (!failure) return QStringLiteral("accepted");
    return QString::number(static_cast<int>(failure->page)) + " " +
           QString::fromStdString(failure->control) + " " +
           QString::fromStdString(failure->message);
}

}  // namespace

class ConfigChecksTest : public QObject {
    Q_OBJECT
  private slots:
    void boxNamesFollowTheDialog() {
        QCOMPARE(attendanceNameControl(0), std::string("edKintai01"));
        QCOMPARE(attendanceNameControl(14), std::string("edKintai15"));
        QCOMPARE(paymentNameControl(10), std::string("edSikyu11"));
        QCOMPARE(freeNameControl(0), std::string("edFixTeate1"));
        QCOMPARE(freeNameControl(5), std::string("edVarTeate3"));
        QCOMPARE(freeNameControl(9), std::string("edVarKoujo1"));
        QCOMPARE(freeNameControl(14), std::string("edSonota3"));
        QCOMPARE(taxableFlagControl(11), std::string("cbKazei11"));
        QCOMPARE(socialInsFlagControl(0), std::string("cbHoken0"));
    }

    void defaultsPass() {
        QCOMPARE(describe(checkConfigEntries(validCompany(), defaultNames())),
                 QStringLiteral("accepted"));
    }

    void companyEntriesAreCheckedInOrder_data() {
        QTest::addColumn<int>("change");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty name") << 0 << "0 edSyamei 会社名が入力されていません。";
        QTest::newRow("12 digits") << 1 << "0 edHouNo 法人番号の入力に誤りがあります。";
        QTest::newRow("13 with a letter") << 2 << "0 edHouNo 法人番号の入力に誤りがあります。";
        QTest::newRow("empty number") << 3 << "accepted";
        QTest::newRow("wrong check digit") << 15
                                           << "0 edHouNo "
                                              "法人番号の入力に誤りがあります。1桁目の検査用数字が"
                                              "合いません。番号を確かめてください。";
        QTest::newRow("pay day 0") << 4 << "0 edSikyubi 給与支給日の入力に誤りがあります。";
        QTest::newRow("pay day 32") << 5 << "0 edSikyubi 給与支給日の入力に誤りがあります。";
        QTest::newRow("pay day 31") << 6 << "accepted";
        QTest::newRow("no hours") << 7 << "0 edJikanD 所定労働条件が入力されていません。";
        QTest::newRow("no employment") << 8 << "0 edKoyRitu 保険料負担率が入力されていません。";
        QTest::newRow("no health") << 9 << "0 edKenRitu 保険料負担率が入力されていません。";
        QTest::newRow("no nursing") << 10 << "0 edKaiRitu 保険料負担率が入力されていません。";
        QTest::newRow("no pension") << 11 << "0 edNenRitu 保険料負担率が入力されていません。";
        QTest::newRow("negative pension") << 12 << "0 edNenRitu 保険料負担率が入力されていません。";
        QTest::newRow("negative fund") << 13 << "0 edKknRitu 保険料負担率が入力されていません。";
        QTest::newRow("name before rates") << 14 << "0 edSyamei 会社名が入力されていません。";
    }
    void companyEntriesAreCheckedInOrder() {
        QFETCH(int, change);
        QFETCH(QString, expected);
        CompanyEntry e = validCompany();
        switch (change) {
            case 0:
                e.companyName.clear();
                break;
            case 1:
                e.corporateNumber = "123456789012";
                break;
            case 2:
                e.corporateNumber = "123456789012X";
                break;
            case 3:
                e.corporateNumber.clear();
                break;
            case 4:
                e.payDay = 0;
                break;
            case 5:
                e.payDay = 32;
                break;
            case 6:
                e.payDay = 31;
                break;
            case 7:
                e.hoursPerDay = 0;
                break;
            case 8:
                e.employmentInsRate = 0;
                break;
            case 9:
                e.healthInsRate = 0;
                break;
            case 10:
                e.nursingInsRate = 0;
                break;
            case 11:
                e.pensionRate = 0;
                break;
            case 12:
                e.pensionRate = -9.15;
                break;
            case 13:
                e.pensionFundRate = -1;
                break;
            case 14:
                e.companyName.clear();
                e.healthInsRate = 0;
                break;
            case 15:
                e.corporateNumber = "1000012050002";
                break;
        }
        QCOMPARE(describe(checkConfigEntries(e, defaultNames())), expected);
    }

    void corporateNumberValues() {
        QCOMPARE(corporateNumberValue(""), std::optional<std::int64_t>(0));
        QCOMPARE(corporateNumberValue("0123456789012"), std::optional<std::int64_t>(123456789012));
        QCOMPARE(corporateNumberValue("9999999999999"), std::optional<std::int64_t>(9999999999999));
        QVERIFY(!corporateNumberValue("12345678901234"));
        QVERIFY(!corporateNumberValue("-123456789012"));
    }

    void attendanceNamesKeepTheirKind_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("overtime renamed") << 8 << "残業時間帯"
                                          << "accepted";
        QTest::newRow("days become hours")
            << 1 << "出勤時間"
            << "2 edKintai02 ｢時間｣や｢残業｣の文字を含んではいけません。";
        QTest::newRow("count looks like overtime")
            << 12 << "遅刻残業"
            << "2 edKintai13 ｢時間｣や｢残業｣の文字を含んではいけません。";
        QTest::newRow("hours lose the word") << 6 << "所定労働"
                                             << "2 edKintai07 ｢時間｣か｢残業｣の文字を含めて下さい。";
        QTest::newRow("holiday overtime keeps 残業") << 10 << "休日残業"
                                                     << "accepted";
        QTest::newRow("empty") << 3 << ""
                               << "2 edKintai04 項目名は必須入力です。";
        QTest::newRow("duplicate") << 2 << "出勤日数"
                                   << "2 edKintai03 項目名が重複しています。";
    }
    void attendanceNamesKeepTheirKind() {
        QFETCH(int, item);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        ItemNameEntries names = defaultNames();
        names.attendance[static_cast<std::size_t>(item)] = name.toStdString();
        QCOMPARE(describe(checkItemNames(names)), expected);
    }

    void paymentAndFreeNames_data() {
        QTest::addColumn<int>("group");  // 0 payment, 1 free item
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("payment renamed") << 0 << 1 << "役員手当"
                                         << "accepted";
        QTest::newRow("payment empty") << 0 << 2 << ""
                                       << "2 edSikyu03 項目名は必須入力です。";
        QTest::newRow("payment duplicate") << 0 << 2 << "役職手当"
                                           << "2 edSikyu03 項目名が重複しています。";
        QTest::newRow("free renamed") << 1 << 0 << "住宅手当"
                                      << "accepted";
        QTest::newRow("free empty") << 1 << 13 << ""
                                    << "1 edSonota2 項目名は必須入力です。";
        QTest::newRow("free duplicate") << 1 << 4 << "変動手当１"
                                        << "1 edVarTeate2 項目名が重複しています。";
        QTest::newRow("bonus") << 1 << 3 << "賞与"
                               << "1 edVarTeate1 項目名｢賞与｣は既に設定されている項目名です。\n"
                                  "同じ項目名を複数設定する事は出来ません。";
        QTest::newRow("deduction of the layout")
            << 1 << 6 << "住民税"
            << "1 edFixKoujo1 項目名｢住民税｣は既に設定されている項目名です。\n"
               "同じ項目名を複数設定する事は出来ません。";
        QTest::newRow("standard payment")
            << 1 << 12 << "家族手当"
            << "1 edSonota1 項目名｢家族手当｣は既に設定されている項目名です。\n"
               "同じ項目名を複数設定する事は出来ません。";
        QTest::newRow("total") << 1 << 14 << "差引支給額"
                               << "1 edSonota3 項目名｢差引支給額｣は既に設定されている項目名です。\n"
                                  "同じ項目名を複数設定する事は出来ません。";
        QTest::newRow("daily pay caption")
            << 1 << 1 << "日給計"
            << "1 edFixTeate2 項目名｢日給計｣は既に設定されている項目名です。\n"
               "同じ項目名を複数設定する事は出来ません。";
    }
    void paymentAndFreeNames() {
        QFETCH(int, group);
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        ItemNameEntries names = defaultNames();
        auto& target = group == 0 ? names.payment[static_cast<std::size_t>(index)]
                                  : names.freeItems[static_cast<std::size_t>(index)];
        target = name.toStdString();
        QCOMPARE(describe(checkItemNames(names)), expected);
    }

    // The calculation knows items by their current names, so a free item may not take the
    // name a payment item was given.
    void freeItemMayNotTakeARenamedItemsName() {
        ItemNameEntries names = defaultNames();
        names.payment[1] = "住宅手当";
        names.freeItems[0] = "住宅手当";
        QCOMPARE(describe(checkItemNames(names)),
                 QStringLiteral("1 edFixTeate1 項目名｢住宅手当｣は既に設定されている項目名です。\n"
                                "同じ項目名を複数設定する事は出来ません。"));
    }

    // Layouts know the free items by their standard names, so one free item may not take
    // another's, even when that one was renamed; its own is fine.
    void freeItemMayNotTakeAnotherFreeItemsStandardName() {
        ItemNameEntries names = defaultNames();
        names.freeItems[11] = "社宅控除";
        names.freeItems[0] = "変動控除３";
        QCOMPARE(describe(checkItemNames(names)),
                 QStringLiteral("1 edFixTeate1 項目名｢変動控除３｣は既に設定されている項目名です。\n"
                                "同じ項目名を複数設定する事は出来ません。"));
        QVERIFY(!isReservedFreeItemName("変動控除３", 11));
        QVERIFY(isReservedFreeItemName("変動控除３", 10));
    }

    void extraBonusCaptionIsRequired() {
        ItemNameEntries names = defaultNames();
        names.extraBonusCaption.clear();
        QCOMPARE(describe(checkItemNames(names)),
                 QStringLiteral("1 edTokuSyoyo 項目名は必須入力です。"));
    }

    void onlyPremiumRatesCallForNewPremiums() {
        const CompanyEntry shown = validCompany();
        CompanyEntry entered = shown;
        entered.employmentInsRate = 0.4;
        entered.companyName = "別の会社";
        QVERIFY(!premiumRatesChanged(shown, entered));
        for (double CompanyEntry::*rate :
             {&CompanyEntry::healthInsRate, &CompanyEntry::nursingInsRate,
              &CompanyEntry::pensionRate, &CompanyEntry::pensionFundRate,
              &CompanyEntry::supportRate}) {
            CompanyEntry changed = shown;
            changed.*rate += 0.001;
            QVERIFY(premiumRatesChanged(shown, changed));
        }
    }

    // A rate above 30 % is a slip of the keyboard (25 typed for 0.25): refused, naming the box.
    void ratesAbove30PercentAreRefusedByName() {
        const std::pair<double CompanyEntry::*, QString> boxes[] = {
            {&CompanyEntry::employmentInsRate, QStringLiteral("edKoyRitu 雇用保険")},
            {&CompanyEntry::healthInsRate, QStringLiteral("edKenRitu 健康保険")},
            {&CompanyEntry::nursingInsRate, QStringLiteral("edKaiRitu 介護保険")},
            {&CompanyEntry::pensionRate, QStringLiteral("edNenRitu 厚生年金")},
            {&CompanyEntry::pensionFundRate, QStringLiteral("edKknRitu 厚生年金基金")},
            {&CompanyEntry::supportRate, QStringLiteral("edSienRitu 子ども・子育て支援金")}};
        for (const auto& [rate, named] : boxes) {
            CompanyEntry e = validCompany();
            e.*rate = 30;
            QCOMPARE(describe(checkCompanyEntry(e)), QStringLiteral("accepted"));
            e.*rate = 30.001;
            QCOMPARE(describe(checkCompanyEntry(e)),
                     QStringLiteral("0 ") + named +
                         QStringLiteral("の保険料負担率は0〜30%の範囲で入力してください。"));
        }
    }

    void unlikelyRatesAreAskedAboutWhenChanged() {
        calc::RatesOfPeriod rates;
        rates.healthShares = {4.925, 5.14};
        rates.healthFiscalYearText = "令和8年度";
        const CompanyEntry shown = validCompany();
        QVERIFY(rateWarnings(shown, shown, rates).empty());

        CompanyEntry entered = shown;
        entered.employmentInsRate = 1.35;  // the total typed for the employee's share
        entered.healthInsRate = 4.42;      // 0.505 below the lowest prefecture
        const std::vector<ConfigFailure> warnings = rateWarnings(shown, entered, rates);
        QCOMPARE(warnings.size(), std::size_t{2});
        QCOMPARE(warnings[0].control, std::string("edKoyRitu"));
        QVERIFY(warnings[0].message.starts_with("雇用保険の保険料負担率が1%を超えています。"));
        QCOMPARE(warnings[1].control, std::string("edKenRitu"));
        QVERIFY(warnings[1].message.starts_with(
            "健康保険の保険料負担率 4.420% は、令和8年度の協会けんぽ"));

        entered.employmentInsRate = 1.0;
        entered.healthInsRate = 4.425;  // 0.5 from 4.925: near enough
        QVERIFY(rateWarnings(shown, entered, rates).empty());
        // Without published rates for the period there is nothing to compare with.
        entered.healthInsRate = 3;
        QVERIFY(rateWarnings(shown, entered, {}).empty());
        // A health rate already on show was accepted before: not asked again.
        QVERIFY(rateWarnings(entered, entered, rates).empty());
    }
};

}  // namespace keiro::payroll

using keiro::payroll::ConfigChecksTest;
KEIRO_QTEST(ConfigChecksTest);

#include "config_checks_test.moc"

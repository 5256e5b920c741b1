// The employee editor's rules without a window: the checks of OK, where a new employee goes and
// what it starts with, its key, and the template new employees start from.
#include "core/employee_master.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <memory>
#include <regex>

#include "core/fileio.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

using testing_support::TempFolder;

std::unique_ptr<PeriodBlock> periodWith(std::initializer_list<const char*> codes) {
    auto block = std::make_unique<PeriodBlock>();
    std::memset(block.get(), 0, sizeof(PeriodBlock));
    block->settings.scheduledDays = 21;
    block->settings.scheduledHours = 168.5;
    int slot = 1;
    for (const char* code : codes) {
        EmployeeRecord& e = block->employee(slot);
        e.recordId.assign("260401_09000" + std::to_string(slot));
        e.employeeCode.assign(code);
        e.name.assign("社員" + std::to_string(slot));
        ++slot;
    }
    return block;
}

EmployeeRecord entered(const char* name, const char* code, const char* key = "") {
    EmployeeRecord e = defaultEmployeeTemplate();
    e.name.assign(name);
    e.employeeCode.assign(code);
    e.recordId.assign(key);
    return e;
}

// storeEmployee into `block` opened as `period`: over the employee of `slot`, or a new
// employee for a negative slot.  The block is left as the store left it; the answer is the
// slot stored and whether a key was made.
struct Stored {
    int slot = 0;
    bool created = false;
    bool operator==(const Stored&) const = default;
};
std::optional<Stored> storeInto(PeriodBlock& block, int period, int slot,
                                const EmployeeRecord& record, std::string_view newKey) {
    PayrollPeriod document;
    document.open(period, std::make_unique<PeriodBlock>(block), nullptr, nullptr);
    const EmployeeId employee = slot > 0 ? document.idAt(slot) : EmployeeId();
    const auto stored = storeEmployee(document, employee, record, newKey);
    block = document.block();
    if (!stored) return std::nullopt;
    return Stored{document.slotOf(stored->employee), stored->created};
}

std::string_view messageOf(const std::optional<EmployeeCheckFailure>& failure) {
    return failure ? failure->message : std::string_view("OK");
}

TEST(EmployeeChecks, InOrderWithTheirMessages) {
    const auto block = periodWith({"001", "002", "", ""});
    struct Case {
        const char* name;
        const char* code;
        const char* key;
        const char* myNumber;
        std::string_view expected;
    };
    const Case cases[] = {
        {"", "001", "", "12", kMsgNameRequired},  // the name is checked first
        {"　 ", "", "", "", kMsgNameRequired},    // blanks only, ideographic too
        {"山田", "001", "", "12345", kMsgMyNumberInvalid},
        {"山田", "", "", "1234567890123", kMsgMyNumberInvalid},
        {"山田", "", "", "12345678901a", kMsgMyNumberInvalid},
        {"山田", "003", "", "123456789012", kMsgMyNumberCheckDigit},
        {"山田", "001", "", "123456789018", kMsgDuplicateCode},   // new: every used slot
        {"山田", " 002 ", "", "", kMsgDuplicateCode},             // blanks around ignored
        {"山田", "001", "260401_090002", "", kMsgDuplicateCode},  // another employee's code
        {"山田", "001", "260401_090001", "", "OK"},               // its own code
        {"山田", "", "", "", "OK"},                               // empty codes never clash
        {"山田", "003", "", "123456789018", "OK"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "/" + c.code + "/" + c.key);
        EXPECT_EQ(messageOf(checkEmployeeEntry(*block, entered(c.name, c.code, c.key), c.myNumber)),
                  c.expected);
    }
    EXPECT_EQ(checkEmployeeEntry(*block, entered("", ""), "")->field, EmployeeField::Name);
    EXPECT_EQ(checkEmployeeEntry(*block, entered("a", "002"), "")->field,
              EmployeeField::EmployeeCode);
}

TEST(EmployeeChecks, FreeSlotsDoNotCount) {
    auto block = periodWith({"001"});
    block->employee(5).employeeCode.assign("005");  // a code left in a free slot
    EXPECT_FALSE(isEmployeeCodeTaken(*block, "005", ""));
}

TEST(MyNumber, ShownWithTwelveDigitsAndReadBack) {
    EXPECT_EQ(formatMyNumber(0), "");
    EXPECT_EQ(formatMyNumber(1234), "000000001234");
    EXPECT_EQ(formatMyNumber(987654321098), "987654321098");
    EXPECT_EQ(parseMyNumber(""), 0);
    EXPECT_EQ(parseMyNumber("000000001234"), 1234);
    EXPECT_EQ(parseMyNumber("12a"), std::nullopt);
    EXPECT_EQ(parseMyNumber("1234567890123456789"), std::nullopt);
}

TEST(StoreEmployee, NewEmployeeTakesTheLowestFreeSlotWithTheScheduledFigures) {
    auto block = periodWith({"001", "002", "003"});
    block->employee(2) = EmployeeRecord{};   // slot 2 freed
    block->attendance[1].overtimeHours = 9;  // leftovers of the slot's former employee
    block->payments[1].payTotal = 1;
    block->deductions[1].incomeTax = 1;
    EXPECT_EQ(firstFreeSlot(*block), 2);

    EmployeeRecord e = entered("山田　花子", "004");
    e.reserved86[1] = 7;
    e.residentTaxCityCode = 131016;  // the residence-tax municipality is the clerk's: kept
    e.opening.incomeTax = 7;         // the months before the program: kept
    e.social.dayRule = 2;            // the social-insurance facts are the clerk's: kept
    e.birthEra = 3;                  // no year: the era, month and day go too
    e.birthMonth = 4;
    const auto stored = storeInto(*block, 5, -1, e, "261208_093005");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->slot, 2);
    EXPECT_TRUE(stored->created);
    const EmployeeRecord& s = block->employee(2);
    EXPECT_EQ(s.recordId.utf8(), "261208_093005");
    EXPECT_EQ(s.name.utf8(), "山田　花子");  // nothing entered is lost with the new key
    EXPECT_EQ(s.employeeCode.utf8(), "004");
    EXPECT_EQ(s.reserved86[1], 0);
    EXPECT_EQ(int(s.residentTaxCityCode), 131016);
    EXPECT_EQ(s.opening.incomeTax, 7);
    EXPECT_EQ(s.social.dayRule, 2);
    EXPECT_EQ(s.birthEra, 0);
    EXPECT_EQ(s.birthMonth, 0);
    EXPECT_EQ(block->attendance[1].daysWorked, 21);
    EXPECT_EQ(block->attendance[1].hoursWorked, 168.5);
    EXPECT_EQ(block->attendance[1].overtimeHours, 0);
    EXPECT_EQ(block->payments[1].payTotal, 0);
    EXPECT_EQ(block->deductions[1].incomeTax, 0);
}

TEST(StoreEmployee, ScheduledFiguresOnlyForMonthlyPayInSalaryPeriods) {
    for (const auto& [period, payForm, expectedDays] :
         {std::tuple{12, 1, 21.0}, std::tuple{12, 2, 0.0}, std::tuple{13, 1, 0.0}}) {
        auto block = periodWith({});
        EmployeeRecord e = entered("a", "");
        e.payForm = static_cast<std::uint8_t>(payForm);
        ASSERT_EQ(storeInto(*block, period, -1, e, "261208_093005")->slot, 1);
        EXPECT_EQ(block->attendance[0].daysWorked, expectedDays) << period << "/" << payForm;
    }
}

TEST(StoreEmployee, ExistingEmployeeKeepsSlotKeyAndMonth) {
    auto block = periodWith({"001", "002"});
    block->attendance[1].overtimeHours = 9;
    EmployeeRecord e = block->employee(2);
    e.name.assign("改名");
    e.remarks.assign("今月の備考");
    const auto stored = storeInto(*block, 5, 2, e, "261208_093005");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->slot, 2);
    EXPECT_FALSE(stored->created);
    EXPECT_EQ(block->employee(2).recordId.utf8(), "260401_090002");
    EXPECT_EQ(block->employee(2).remarks.utf8(), "今月の備考");
    EXPECT_EQ(block->attendance[1].overtimeHours, 9);
}

TEST(StoreEmployee, FullPeriodRefusesANewEmployeeAndChangesNothing) {
    auto block = periodWith({});
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        block->employee(slot).recordId.assign("k" + std::to_string(slot));
    }
    const auto before = std::make_unique<PeriodBlock>(*block);
    EXPECT_EQ(firstFreeSlot(*block), std::nullopt);
    EXPECT_EQ(storeInto(*block, 1, -1, entered("a", ""), "261208_093005"), std::nullopt);
    EXPECT_EQ(std::memcmp(before.get(), block.get(), sizeof(PeriodBlock)), 0);
}

TEST(StoreEmployee, KeyIsDateAndTime) {
    const std::string key = recordKeyAt(std::chrono::system_clock::now());
    EXPECT_TRUE(std::regex_match(key, std::regex("[0-9]{6}_[0-9]{6}"))) << key;
    EXPECT_LE(key.size(), decltype(EmployeeRecord::recordId)::kCapacity);
}

TEST(StoreText, UnchangedTextKeepsItsBytesAndLosesItsTail) {
    PStr<17> field{};
    field.assignBytes("\x88\x9f\xff");  // a damaged second character
    field.text[10] = 'x';               // stale bytes after the text
    storeText(field, field.utf8());
    EXPECT_EQ(field.bytes(), "\x88\x9f\xff");
    EXPECT_EQ(field.text[10], 0);
    storeText(field, "山田");
    EXPECT_EQ(field.utf8(), "山田");
}

TEST(EmployeeTemplate, DefaultWithoutAFileAndAFileOfAnotherSizeIgnored) {
    TempFolder folder("keiro-template");
    const EmployeeRecord expected = defaultEmployeeTemplate();
    EXPECT_EQ(expected.category, 2);
    EXPECT_EQ(expected.payForm, 1);
    EXPECT_EQ(expected.workStatus, 1);
    EXPECT_TRUE(sameBytes(loadEmployeeTemplate(folder), expected));
    writeFileAtomic(employeeTemplatePath(folder), std::string(699, '\x05'));
    EXPECT_TRUE(sameBytes(loadEmployeeTemplate(folder), expected));
    writeFileAtomic(employeeTemplatePath(folder), std::string(1400, '\x05'));
    EXPECT_TRUE(sameBytes(loadEmployeeTemplate(folder), expected));
}

TEST(EmployeeTemplate, SavedWithoutPersonalFieldsPrivatelyAndRemoved) {
    TempFolder folder("keiro-template");
    EmployeeRecord e = entered("山田　花子", "004", "261208_093005");
    e.nameKana.assign("ﾔﾏﾀﾞ");
    e.insuranceGrade = 20;
    e.myNumber = 123456789012;
    e.payForm = 2;
    e.basePay = 9000;
    e.bankName.assign("東都銀行");
    saveEmployeeTemplate(folder, e);

    struct stat info {};
    ASSERT_EQ(::stat(employeeTemplatePath(folder).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(info.st_size, 700);

    const EmployeeRecord t = loadEmployeeTemplate(folder);
    EXPECT_TRUE(t.name.empty());
    EXPECT_TRUE(t.nameKana.empty());
    EXPECT_TRUE(t.employeeCode.empty());
    EXPECT_TRUE(t.recordId.empty());
    EXPECT_EQ(t.insuranceGrade, 0);
    EXPECT_EQ(std::int64_t{t.myNumber}, 123456789012);  // a copy: the field is not aligned
    EXPECT_EQ(t.payForm, 2);
    EXPECT_EQ(t.basePay, 9000);
    EXPECT_EQ(t.bankName.utf8(), "東都銀行");

    EXPECT_TRUE(removeEmployeeTemplate(folder));
    EXPECT_FALSE(std::filesystem::exists(employeeTemplatePath(folder)));
    EXPECT_FALSE(removeEmployeeTemplate(folder));
}

TEST(EmployeeTemplate, AFileWithSomeonesKeyGivesNoKeyAway) {
    TempFolder folder("keiro-template");
    EmployeeRecord e = entered("山田", "004", "261208_093005");
    writeFileAtomic(employeeTemplatePath(folder),
                    std::string_view(reinterpret_cast<const char*>(&e), sizeof e));
    const EmployeeRecord t = loadEmployeeTemplate(folder);
    EXPECT_TRUE(t.recordId.empty());
    EXPECT_TRUE(t.name.empty());
}

TEST(EmployeeRecordBytes, AnyByteCountsAsAChange) {
    const EmployeeRecord a = defaultEmployeeTemplate();
    EmployeeRecord b = a;
    EXPECT_TRUE(sameBytes(a, b));
    b.opening.lastPayAfterSocial = 1;
    EXPECT_FALSE(sameBytes(a, b));
}

}  // namespace
}  // namespace keiro

// The slip PDF password: what the editor accepts, what the program makes, and where an
// employee's password comes from when the slips are written (the record, another period of the
// year, or a new one that is stored).
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/employee_master.h"
#include "core/fileio.h"
#include "core/slip_password.h"
#include "core/yearfile.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

namespace fs = std::filesystem;

TEST(SlipPassword, ChecksCharactersAndLength) {
    EXPECT_FALSE(slipPasswordProblem(""));  // none yet: made when the slips are written
    EXPECT_FALSE(slipPasswordProblem("abcd1234"));
    EXPECT_FALSE(slipPasswordProblem("!#$%&'()*+,-./:;<=>?@"));
    EXPECT_FALSE(slipPasswordProblem("[]^_`{|}~\\\"AZaz09"));
    EXPECT_FALSE(slipPasswordProblem(std::string(22, 'x')));
    EXPECT_EQ(slipPasswordProblem("abc1234"), kMsgPasswordTooShort);
    EXPECT_EQ(slipPasswordProblem(std::string(23, 'x')), kMsgPasswordTooLong);
    for (const char* refused : {"abcd 1234", "ｱｲｳｴｵｶｷｸ", "パスワードです", "abcd\t1234",
                                "abcd\x7f"
                                "1234"})
        EXPECT_EQ(slipPasswordProblem(refused), kMsgPasswordCharacters) << refused;
}

TEST(SlipPassword, GeneratedOnesAreLongDistinctAndFromTheUnambiguousSet) {
    std::set<std::string> seen;
    std::set<char> used;
    for (int i = 0; i < 200; ++i) {
        const std::string password = generateSlipPassword();
        ASSERT_EQ(password.size(), kGeneratedPasswordLength);
        EXPECT_FALSE(slipPasswordProblem(password));
        for (const char c : password) {
            EXPECT_NE(kGeneratedPasswordAlphabet.find(c), std::string_view::npos) << password;
            used.insert(c);
        }
        seen.insert(password);
    }
    EXPECT_EQ(seen.size(), 200u);
    EXPECT_EQ(used.size(), kGeneratedPasswordAlphabet.size());  // every character drawn
}

TEST(SlipPassword, TemplateNeverHandsAPasswordToNewEmployees) {
    testing_support::TempFolder folder("keiro-slip-template");
    EmployeeRecord e = defaultEmployeeTemplate();
    setSlipPassword(e, "Kd7fPq3wXy", false);
    saveEmployeeTemplate(folder.path(), e);
    EXPECT_FALSE(hasSlipPassword(loadEmployeeTemplate(folder.path())));
}

class AssignPasswordsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        createYearFileIfMissing(file_);
        block_ = std::make_unique<PeriodBlock>();
        add(1, "260101_090000");
        add(2, "260101_090001");
        add(3, "260101_090002");
    }

    void add(int slot, const char* key) {
        EmployeeRecord& e = block_->employee(slot);
        e.recordId.assign(key);
        e.employeeCode.assign("00" + std::to_string(slot));
    }

    // Saves a copy of the block as `period` with slot 2's password as given.
    void saveOther(int period, const char* password, bool generated) {
        PeriodBlock other = *block_;
        setSlipPassword(other.employee(2), password, generated);
        std::string content = readFile(file_);
        std::memcpy(content.data() + blockOffset(period), &other, kBlockSize);
        content[8 + period - 1] = 1;
        writeFileAtomic(file_, content);
    }

    testing_support::TempFolder folder_{"keiro-slip-passwords"};
    fs::path file_ = folder_.path() / "令和08年給与･賞与.dat";
    std::unique_ptr<PeriodBlock> block_;
};

TEST_F(AssignPasswordsTest, OwnKeptOtherPeriodsTakenOverTheRestMadeAndStored) {
    setSlipPassword(block_->employee(1), "own-pass1", false);
    saveOther(4, "older-pass", true);
    saveOther(6, "from-june1", false);  // the later period wins
    const auto choices = assignSlipPasswords(*block_, {3, 1, 2}, slipPasswordsElsewhere(file_, 5));

    ASSERT_EQ(choices.size(), 3u);
    EXPECT_EQ(choices[0].slot, 3);
    EXPECT_EQ(choices[0].source, PasswordSource::Generated);
    EXPECT_EQ(slipPasswordOf(block_->employee(3)), choices[0].password);
    EXPECT_EQ(block_->employee(3).slipPasswordGenerated, 1);
    EXPECT_EQ(choices[1].source, PasswordSource::Record);
    EXPECT_EQ(choices[1].password, "own-pass1");
    EXPECT_EQ(choices[2].source, PasswordSource::OtherPeriod);
    EXPECT_EQ(choices[2].password, "from-june1");
    EXPECT_EQ(block_->employee(2).slipPasswordGenerated, 0);  // the employee's own choice
    EXPECT_TRUE(passwordsNeedSaving(choices));
    EXPECT_EQ(generatedCount(choices), 1);

    // Once stored, the next run changes nothing and makes nothing.
    const auto again = assignSlipPasswords(*block_, {3, 1, 2}, {});
    EXPECT_FALSE(passwordsNeedSaving(again));
    EXPECT_EQ(again[0].password, choices[0].password);
}

TEST_F(AssignPasswordsTest, PasswordsStoredInThePeriodAreToldAndMarkItModified) {
    setSlipPassword(block_->employee(1), "own-pass1", false);
    saveOther(4, "from-april", false);
    const PeriodBlock saved = *block_;
    PayrollPeriod period;
    period.open(5, std::move(block_), &saved, nullptr);
    std::vector<PeriodChange> told;
    const PayrollPeriod::Subscription subscription =
        period.subscribe([&told](const PeriodChange& change) { told.push_back(change); });

    EXPECT_FALSE(passwordsNeedSaving(assignSlipPasswords(period, {1}, {})));
    EXPECT_FALSE(period.isModified());
    const auto choices = assignSlipPasswords(period, {2, 3}, slipPasswordsElsewhere(file_, 5));
    EXPECT_EQ(choices[0].source, PasswordSource::OtherPeriod);
    EXPECT_EQ(slipPasswordOf(period.block().employee(2)), "from-april");
    EXPECT_EQ(slipPasswordOf(period.block().employee(3)), choices[1].password);
    EXPECT_EQ(period.block().employee(3).slipPasswordGenerated, 1);
    EXPECT_TRUE(period.isDirty());
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[0].employee, EmployeeId("260101_090001"));
    EXPECT_EQ(told[1].employee, EmployeeId("260101_090002"));
}

TEST_F(AssignPasswordsTest, DamagedStoredPasswordIsNeverUsed) {
    block_->employee(1).slipPassword.assignBytes("ab\x01");  // not a password anyone can type
    saveOther(4, "x", false);                                // too short to be a real one
    const auto choices = assignSlipPasswords(*block_, {1, 2}, slipPasswordsElsewhere(file_, 5));
    EXPECT_EQ(choices[0].source, PasswordSource::Generated);
    EXPECT_EQ(choices[1].source, PasswordSource::Generated);
    EXPECT_FALSE(slipPasswordProblem(slipPasswordOf(block_->employee(1))));
}

}  // namespace
}  // namespace keiro

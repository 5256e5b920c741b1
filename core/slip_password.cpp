#include "core/slip_password.h"

#include <sys/random.h>

#include <cerrno>
#include <stdexcept>

#include "core/yearfile.h"

namespace keiro {
namespace {

// Fills `bytes` from the kernel's random source, waiting for it to be seeded.
void randomBytes(unsigned char* bytes, std::size_t count) {
    while (count > 0) {
        const ssize_t got = ::getrandom(bytes, count, 0);
        if (got < 0) {
            if (errno == EINTR) continue;
            throw std::runtime_error("乱数を取得できませんでした。");
        }
        bytes += got;
        count -= static_cast<std::size_t>(got);
    }
}

}  // namespace

std::optional<std::string_view> slipPasswordProblem(std::string_view text) {
    if (text.empty()) return std::nullopt;
    for (const char c : text) {
        if (c <= ' ' || c > '~') return kMsgPasswordCharacters;
    }
    if (text.size() < kSlipPasswordMinLength) return kMsgPasswordTooShort;
    if (text.size() > kSlipPasswordMaxLength) return kMsgPasswordTooLong;
    return std::nullopt;
}

std::string generateSlipPassword() {
    // A byte is used only below the largest multiple of the alphabet's size, so that every
    // character is equally likely.
    constexpr std::size_t kSize = kGeneratedPasswordAlphabet.size();
    constexpr unsigned kLimit = 256 - 256 % kSize;
    std::string password;
    unsigned char pool[64];
    while (password.size() < kGeneratedPasswordLength) {
        randomBytes(pool, sizeof pool);
        for (const unsigned char byte : pool) {
            if (byte >= kLimit || password.size() == kGeneratedPasswordLength) continue;
            password += kGeneratedPasswordAlphabet[byte % kSize];
        }
    }
    return password;
}

std::string slipPasswordOf(const EmployeeRecord& record) {
    return std::string(record.slipPassword.bytes());
}

bool hasSlipPassword(const EmployeeRecord& record) {
    return !record.slipPassword.empty();
}

void setSlipPassword(EmployeeRecord& record, std::string_view password, bool generated) {
    record.slipPassword.clear();
    record.slipPassword.assignBytes(password);
    record.slipPasswordGenerated = generated && !password.empty() ? 1 : 0;
}

SlipPasswordsByKey slipPasswordsElsewhere(const std::filesystem::path& yearFile, int period) {
    SlipPasswordsByKey found;
    const YearFileHeader header = readYearFileHeader(yearFile);
    PeriodBlock block;
    for (int other = 1; other <= kPeriodCount; ++other) {
        if (other == period || !header.isSaved(other)) continue;
        readPeriodBlock(yearFile, other, block);
        for (const EmployeeRecord& e : block.employees) {
            if (e.isUsed() && hasSlipPassword(e))
                found[std::string(e.recordId.bytes())] = {slipPasswordOf(e),
                                                          e.slipPasswordGenerated == 1};
        }
    }
    return found;
}

namespace {

// The password of the employee in `slot`, put into the record `e` when it is not the record's own.
SlipPasswordChoice choosePassword(int slot, EmployeeRecord& e,
                                  const SlipPasswordsByKey& elsewhere) {
    SlipPasswordChoice choice{slot, slipPasswordOf(e), PasswordSource::Record};
    if (choice.password.empty() || slipPasswordProblem(choice.password)) {
        const auto other = elsewhere.find(std::string(e.recordId.bytes()));
        if (other != elsewhere.end() && !other->second.password.empty() &&
            !slipPasswordProblem(other->second.password)) {
            choice = {slot, other->second.password, PasswordSource::OtherPeriod};
            setSlipPassword(e, choice.password, other->second.generated);
        } else {
            choice = {slot, generateSlipPassword(), PasswordSource::Generated};
            setSlipPassword(e, choice.password, true);
        }
    }
    return choice;
}

}  // namespace

std::vector<SlipPasswordChoice> assignSlipPasswords(PayrollPeriod& period,
                                                    const std::vector<int>& slots,
                                                    const SlipPasswordsByKey& elsewhere) {
    std::vector<SlipPasswordChoice> choices;
    for (const int slot : slots) {
        EmployeeRecord e = period.block().employee(slot);
        choices.push_back(choosePassword(slot, e, elsewhere));
        if (choices.back().source != PasswordSource::Record)
            period.setEmployee(period.idAt(slot), e);
    }
    return choices;
}

std::vector<SlipPasswordChoice> assignSlipPasswords(PeriodBlock& block,
                                                    const std::vector<int>& slots,
                                                    const SlipPasswordsByKey& elsewhere) {
    std::vector<SlipPasswordChoice> choices;
    for (const int slot : slots)
        choices.push_back(choosePassword(slot, block.employee(slot), elsewhere));
    return choices;
}

bool passwordsNeedSaving(const std::vector<SlipPasswordChoice>& choices) {
    for (const SlipPasswordChoice& choice : choices) {
        if (choice.source != PasswordSource::Record) return true;
    }
    return false;
}

int generatedCount(const std::vector<SlipPasswordChoice>& choices) {
    int count = 0;
    for (const SlipPasswordChoice& choice : choices) {
        if (choice.source == PasswordSource::Generated) ++count;
    }
    return count;
}

}  // namespace keiro

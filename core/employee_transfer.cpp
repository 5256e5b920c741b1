#include "core/employee_transfer.h"

#include <algorithm>
#include <cstring>

#include "core/zengin_text.h"

namespace keiro {
namespace {

template <std::size_t N>
std::string codeOf(const char (&field)[N]) {
    const std::string_view code(field, N);
    return isAsciiDigits(code) ? std::string(code) : std::string();
}

template <std::size_t N>
void storeField(char (&field)[N], std::string_view value) {
    std::memset(field, 0, N);
    std::memcpy(field, value.data(), std::min(N, value.size()));
}

}  // namespace

std::string bankCodeOf(const EmployeeRecord& record) {
    return codeOf(record.bankCode);
}

std::string branchCodeOf(const EmployeeRecord& record) {
    return codeOf(record.branchCode);
}

std::string accountHolderKanaOf(const EmployeeRecord& record) {
    const std::string_view field(record.accountHolderKana, sizeof record.accountHolderKana);
    return std::string(field.substr(0, field.find('\0')));
}

void setTransferCodes(EmployeeRecord& record, std::string_view bankCode,
                      std::string_view branchCode, std::string_view holderKanaBytes) {
    storeField(record.bankCode, bankCode);
    storeField(record.branchCode, branchCode);
    storeField(record.accountHolderKana, cutZenginText(holderKanaBytes, kAccountHolderKanaBytes));
}

std::string holderKanaRefusal(char32_t character, ZenginClass nameClass) {
    return "口座名義ｶﾅに使用できない文字" + quotedCharacter(character) + "が含まれています。\n" +
           std::string(zenginClassCharacters(nameClass)) + "で入力して下さい。";
}

std::optional<TransferFieldFailure> checkTransferFields(std::string_view bankCode,
                                                        std::string_view branchCode,
                                                        std::string_view holderKanaUtf8,
                                                        ZenginClass nameClass) {
    if (!bankCode.empty() && (bankCode.size() != kBankCodeDigits || !isAsciiDigits(bankCode)))
        return TransferFieldFailure{TransferField::BankCode, std::string(kMsgBadBankCode)};
    if (!branchCode.empty() &&
        (branchCode.size() != kBranchCodeDigits || !isAsciiDigits(branchCode)))
        return TransferFieldFailure{TransferField::BranchCode, std::string(kMsgBadBranchCode)};
    const ZenginText kana = toZenginText(holderKanaUtf8, nameClass);
    if (!kana.ok()) {
        return TransferFieldFailure{TransferField::HolderKana,
                                    holderKanaRefusal(kana.refused, nameClass)};
    }
    if (kana.bytes.size() > kAccountHolderKanaBytes)
        return TransferFieldFailure{TransferField::HolderKana, std::string(kMsgHolderKanaTooLong)};
    return std::nullopt;
}

}  // namespace keiro

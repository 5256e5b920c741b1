#pragma once
// An employee's codes for the bank transfer file, kept in the employee record: the bank code
// (4 digits), the branch code (3 digits) and the account holder's name in the file's kana
// (口座名義カナ, at most 30 bytes).  A record written before these existed holds zeros there and
// reads as "not set".  The checks of the employee editor's boxes live here too.

#include <optional>
#include <string>
#include <string_view>

#include "core/records.h"
#include "core/zengin_text.h"

namespace keiro {

inline constexpr std::size_t kBankCodeDigits = 4;
inline constexpr std::size_t kBranchCodeDigits = 3;
inline constexpr std::size_t kAccountHolderKanaBytes = 30;

inline constexpr std::string_view kMsgBadBankCode = "銀行コードは4桁の数字で入力して下さい。";
inline constexpr std::string_view kMsgBadBranchCode = "支店コードは3桁の数字で入力して下さい。";
inline constexpr std::string_view kMsgHolderKanaTooLong =
    "口座名義ｶﾅは半角30文字(濁点・半濁点も1文字)以内で入力して下さい。";

// The stored codes: the digits when the field holds exactly its count of digits, else empty.
std::string bankCodeOf(const EmployeeRecord& record);
std::string branchCodeOf(const EmployeeRecord& record);
// The stored kana name as the file's bytes (empty when not set).
std::string accountHolderKanaOf(const EmployeeRecord& record);

// Stores the three fields: the codes' characters as typed (at most their width; anything but
// complete digits reads back as not set), the kana as file bytes cut to 30 bytes.
void setTransferCodes(EmployeeRecord& record, std::string_view bankCode,
                      std::string_view branchCode, std::string_view holderKanaBytes);

// The editor's boxes for the three fields.
enum class TransferField { BankCode, BranchCode, HolderKana };

struct TransferFieldFailure {
    TransferField field;
    std::string message;
};

// The boxes as typed: each may be empty; a code must have exactly its count of digits, and the
// kana must convert to the file's name characters (`nameClass`: the 口座名等 class unless the
// office chose 厳格) in at most 30 bytes.
std::optional<TransferFieldFailure> checkTransferFields(std::string_view bankCode,
                                                        std::string_view branchCode,
                                                        std::string_view holderKanaUtf8,
                                                        ZenginClass nameClass = ZenginClass::Name);

// The message for a name that cannot be converted, naming the character and what is allowed.
std::string holderKanaRefusal(char32_t character, ZenginClass nameClass = ZenginClass::Name);

}  // namespace keiro

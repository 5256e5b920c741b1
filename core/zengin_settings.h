#pragma once
// The company's side of the bank transfer file (委託者, the originator), kept in section
// "Zengin" of Keiro.ini and edited on the settings dialog's transfer page:
//
//   ItakuCode   委託者コード: the code the company's bank gave it, up to 10 digits
//   ItakuName   委託者名: the company's name in the file's kana, up to 40 bytes
//   BankCode    仕向銀行番号 (4 digits)     BankName    仕向銀行名 (kana, up to 15 bytes)
//   BranchCode  仕向支店番号 (3 digits)     BranchName  仕向支店名 (kana, up to 15 bytes)
//   AccountType 預金種目: 1 普通, 2 当座
//   AccountNo   口座番号, up to 7 digits
//   MojiSyu     振込データの文字 of 委託者名 and 受取人名: 0 標準 (the 口座名等 class, letters and
//               ( ) - . allowed), 1 厳格 (kana, digits and the space only); written only when 厳格
//
// The names are stored as the file's bytes (half-width kana are single bytes of code page 932).
// A missing key is empty: an office that does not use the file never fills them in.

#include <optional>
#include <string>
#include <string_view>

#include "core/ini.h"
#include "core/zengin_text.h"

namespace keiro {

inline constexpr std::string_view kZenginSection = "Zengin";

inline constexpr int kOrdinaryAccount = 1;  // 普通
inline constexpr int kCurrentAccount = 2;   // 当座

// Which characters the names of the file may hold (振込データの文字).
enum class TransferCharacters {
    Standard,  // 標準: the 口座名等 class
    Strict,    // 厳格: for a bank that refuses letters and symbols in a salary file
};

// The class of 委託者名 and 受取人名 under the setting.
ZenginClass nameClassOf(TransferCharacters characters);

struct TransferOriginator {
    std::string requesterCode;  // digits
    std::string requesterName;  // file bytes
    std::string bankCode;
    std::string bankName;  // file bytes
    std::string branchCode;
    std::string branchName;  // file bytes
    int accountType = kOrdinaryAccount;
    std::string accountNumber;
    TransferCharacters characters = TransferCharacters::Standard;
    bool operator==(const TransferOriginator&) const = default;
};

TransferOriginator loadTransferOriginator(const IniFile& ini);
void saveTransferOriginator(IniFile& ini, const TransferOriginator& originator);

// The fields of the settings page, in the order they are checked.
enum class OriginatorField {
    RequesterCode,
    RequesterName,
    BankCode,
    BankName,
    BranchCode,
    BranchName,
    AccountNumber
};

// The page as typed (UTF-8): every box may be empty; what is filled in must fit.
struct OriginatorEntry {
    std::string requesterCode, requesterName, bankCode, bankName, branchCode, branchName;
    int accountType = kOrdinaryAccount;
    std::string accountNumber;
    TransferCharacters characters = TransferCharacters::Standard;
};

struct OriginatorFailure {
    OriginatorField field;
    std::string message;
};

// The entry converted for storing, or the first box that does not fit: codes of digits only
// (委託者コード up to 10, bank 4 and branch exactly 3, account up to 7), names that convert to
// the file's characters within their bytes (委託者名 40 as a name of the chosen class; bank and
// branch 15 each, where letters and '-' are allowed).
struct OriginatorCheck {
    std::optional<OriginatorFailure> failure;
    TransferOriginator converted;
};
OriginatorCheck checkOriginatorEntry(const OriginatorEntry& entry);

// What the file needs from the company and is missing, for the refusal message: empty when
// the code, the name (in the chosen class), the bank and branch codes and the account number
// are all there.
std::string missingOriginatorFields(const TransferOriginator& originator);

}  // namespace keiro

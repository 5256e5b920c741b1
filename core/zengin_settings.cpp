#include "core/zengin_settings.h"

#include <algorithm>

#include "core/zengin_text.h"

namespace keiro {
namespace {

constexpr std::string_view kSection = kZenginSection;

bool fitsDigits(std::string_view text, std::size_t minimum, std::size_t maximum) {
    return text.empty() ||
           (text.size() >= minimum && text.size() <= maximum && isAsciiDigits(text));
}

struct NameRule {
    OriginatorField field;
    std::string_view caption;
    ZenginClass kind;
    std::size_t maxBytes;
};

std::optional<OriginatorFailure> convertName(const NameRule& rule, std::string_view typed,
                                             std::string& out) {
    const ZenginText text = toZenginText(typed, rule.kind);
    if (!text.ok()) {
        return OriginatorFailure{
            rule.field, std::string(rule.caption) + "に使用できない文字" +
                            quotedCharacter(text.refused) + "が含まれています。\n" +
                            std::string(zenginClassCharacters(rule.kind)) + "で入力して下さい。"};
    }
    if (text.bytes.size() > rule.maxBytes) {
        return OriginatorFailure{rule.field, std::string(rule.caption) + "は半角" +
                                                 std::to_string(rule.maxBytes) +
                                                 "文字以内で入力して下さい。"};
    }
    out = text.bytes;
    return std::nullopt;
}

}  // namespace

ZenginClass nameClassOf(TransferCharacters characters) {
    return characters == TransferCharacters::Strict ? ZenginClass::StrictName : ZenginClass::Name;
}

TransferOriginator loadTransferOriginator(const IniFile& ini) {
    TransferOriginator o;
    o.requesterCode = ini.readBytes(kSection, "ItakuCode");
    o.requesterName = ini.readBytes(kSection, "ItakuName");
    o.bankCode = ini.readBytes(kSection, "BankCode");
    o.bankName = ini.readBytes(kSection, "BankName");
    o.branchCode = ini.readBytes(kSection, "BranchCode");
    o.branchName = ini.readBytes(kSection, "BranchName");
    o.accountType = ini.readInt(kSection, "AccountType", kOrdinaryAccount) == kCurrentAccount
                        ? kCurrentAccount
                        : kOrdinaryAccount;
    o.accountNumber = ini.readBytes(kSection, "AccountNo");
    o.characters = ini.readInt(kSection, "MojiSyu", 0) == 1 ? TransferCharacters::Strict
                                                            : TransferCharacters::Standard;
    return o;
}

void saveTransferOriginator(IniFile& ini, const TransferOriginator& o) {
    IniChanges changes;
    changes.setBytes(kSection, "ItakuCode", o.requesterCode)
        .setBytes(kSection, "ItakuName", o.requesterName)
        .setBytes(kSection, "BankCode", o.bankCode)
        .setBytes(kSection, "BankName", o.bankName)
        .setBytes(kSection, "BranchCode", o.branchCode)
        .setBytes(kSection, "BranchName", o.branchName)
        .setInt(kSection, "AccountType", o.accountType)
        .setBytes(kSection, "AccountNo", o.accountNumber);
    // 標準 is what a missing key reads as: an office that never chose 厳格 keeps its file as it
    // was.
    if (o.characters == TransferCharacters::Strict)
        changes.setInt(kSection, "MojiSyu", 1);
    else
        changes.erase(kSection, "MojiSyu");
    ini.apply(changes);
}

OriginatorCheck checkOriginatorEntry(const OriginatorEntry& e) {
    OriginatorCheck check;
    TransferOriginator& o = check.converted;
    const auto fail = [&](OriginatorField field, std::string message) {
        check.failure = OriginatorFailure{field, std::move(message)};
        return check;
    };
    if (!fitsDigits(e.requesterCode, 1, 10))
        return fail(OriginatorField::RequesterCode,
                    "委託者コードは10桁以内の数字で入力して下さい。");
    o.requesterCode = e.requesterCode;
    o.characters = e.characters;
    if (auto f =
            convertName({OriginatorField::RequesterName, "委託者名", nameClassOf(e.characters), 40},
                        e.requesterName, o.requesterName))
        return fail(f->field, f->message);
    if (!fitsDigits(e.bankCode, 4, 4))
        return fail(OriginatorField::BankCode, "仕向銀行番号は4桁の数字で入力して下さい。");
    o.bankCode = e.bankCode;
    if (auto f = convertName({OriginatorField::BankName, "仕向銀行名", ZenginClass::Shop, 15},
                             e.bankName, o.bankName))
        return fail(f->field, f->message);
    if (!fitsDigits(e.branchCode, 3, 3))
        return fail(OriginatorField::BranchCode, "仕向支店番号は3桁の数字で入力して下さい。");
    o.branchCode = e.branchCode;
    if (auto f = convertName({OriginatorField::BranchName, "仕向支店名", ZenginClass::Shop, 15},
                             e.branchName, o.branchName))
        return fail(f->field, f->message);
    o.accountType = e.accountType == kCurrentAccount ? kCurrentAccount : kOrdinaryAccount;
    if (!fitsDigits(e.accountNumber, 1, 7))
        return fail(OriginatorField::AccountNumber, "口座番号は7桁以内の数字で入力して下さい。");
    o.accountNumber = e.accountNumber;
    return check;
}

std::string missingOriginatorFields(const TransferOriginator& o) {
    std::string missing;
    const auto need = [&](bool ok, std::string_view caption) {
        if (ok) return;
        if (!missing.empty()) missing += "、";
        missing += caption;
    };
    need(fitsDigits(o.requesterCode, 1, 10) && !o.requesterCode.empty(), "委託者コード");
    need(!o.requesterName.empty() && o.requesterName.size() <= 40 &&
             isZenginText(o.requesterName, nameClassOf(o.characters)),
         "委託者名");
    need(o.bankCode.size() == 4 && isAsciiDigits(o.bankCode), "仕向銀行番号");
    need(o.branchCode.size() == 3 && isAsciiDigits(o.branchCode), "仕向支店番号");
    need(!o.accountNumber.empty() && fitsDigits(o.accountNumber, 1, 7), "口座番号");
    return missing;
}

}  // namespace keiro

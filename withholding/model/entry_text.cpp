#include "withholding/model/entry_text.h"

#include "core/text.h"

namespace keiro::withholding {
namespace {

constexpr std::string_view kWideBlank = "\u3000";

// The length of the blank that the text starts or ends with; 0 for none.
std::size_t leadingBlank(std::string_view text) {
    if (text.starts_with(' ') || text.starts_with('\t')) return 1;
    return text.starts_with(kWideBlank) ? kWideBlank.size() : 0;
}

std::size_t trailingBlank(std::string_view text) {
    if (text.ends_with(' ') || text.ends_with('\t')) return 1;
    return text.ends_with(kWideBlank) ? kWideBlank.size() : 0;
}

std::string_view withoutBlanks(std::string_view text) {
    while (const std::size_t blank = leadingBlank(text)) text.remove_prefix(blank);
    while (const std::size_t blank = trailingBlank(text)) text.remove_suffix(blank);
    return text;
}

}  // namespace

std::string normaliseEntryText(std::string_view utf8) {
    const std::string normalised = text::normaliseForCp932(utf8);
    return std::string(withoutBlanks(normalised));
}

PayerTexts payerTexts(const WithholdingHeader& header) {
    return {header.address1.utf8(), header.address2.utf8(), header.phone.utf8()};
}

void storePayerTexts(WithholdingHeader& header, const PayerTexts& texts) {
    WithholdingHeader changed = header;
    storeEntryText(changed.address1, texts.address1);
    storeEntryText(changed.address2, texts.address2);
    storeEntryText(changed.phone, texts.phone);
    header = changed;
}

bool takeCompanyAddress(WithholdingHeader& header, const PayerTexts& company) {
    if (payerTexts(header) != PayerTexts{} || company == PayerTexts{}) return false;
    try {
        storePayerTexts(header, company);
    } catch (const text::EncodingError&) {
        return false;
    }
    return true;
}

}  // namespace keiro::withholding

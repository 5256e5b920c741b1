#include "withholding/model/entry_text.h"

#include "core/text.h"

namespace keiro::withholding {
namespace {

constexpr std::string_view kWideBlank = "\u3000";

bool isNarrowBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view withoutBlanks(std::string_view text) {
    for (bool cut = true; cut;) {
        cut = false;
        if (!text.empty() && isNarrowBlank(text.front())) {
            text.remove_prefix(1);
            cut = true;
        } else if (text.starts_with(kWideBlank)) {
            text.remove_prefix(kWideBlank.size());
            cut = true;
        }
        if (!text.empty() && isNarrowBlank(text.back())) {
            text.remove_suffix(1);
            cut = true;
        } else if (text.ends_with(kWideBlank)) {
            text.remove_suffix(kWideBlank.size());
            cut = true;
        }
    }
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

}  // namespace keiro::withholding

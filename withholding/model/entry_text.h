#pragma once
// Text typed into the withholding program's boxes, as it is stored: the characters that Linux
// input methods produce are mapped to their code page 932 twins and the blanks around the text
// (half-width and full-width) are dropped.  Fields are measured in code page 932 bytes and cut
// without splitting a double-byte character.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/employee_master.h"
#include "withholding/model/records.h"

namespace keiro::withholding {

// The text as stored: normalised for code page 932 and trimmed of blanks.
std::string normaliseEntryText(std::string_view utf8);

// Stores a box's text into a field, normalised and trimmed, cut to the field.  A text that
// reads as the field already does keeps the field's bytes, so a field that was read damaged (or
// with blanks around it) and left alone is stored as it was.  Throws text::EncodingError for
// new text without a code page 932 form.
template <std::size_t N>
void storeEntryText(PStr<N>& field, std::string_view typedUtf8) {
    const std::string typed = normaliseEntryText(typedUtf8);
    if (typed == normaliseEntryText(field.utf8())) return;
    storeText(field, typed);
}

// The payer's texts of the withholding file's header, as the company dialog edits them.
struct PayerTexts {
    std::string address1;
    std::string address2;
    std::string phone;
    bool operator==(const PayerTexts&) const = default;
};

PayerTexts payerTexts(const WithholdingHeader& header);

// Stores the texts normalised and trimmed, each cut to its field (64, 64 and 16 bytes).  A text
// that comes out as stored keeps the field's bytes.  Throws text::EncodingError (and changes
// nothing) when a text holds a character without a code page 932 form.
void storePayerTexts(WithholdingHeader& header, const PayerTexts& texts);
// A header without any payer text takes the company's address and telephone as entered at the
// payroll program's first start; true when it did.  A text without a code page 932 form leaves
// the header as it was.
bool takeCompanyAddress(WithholdingHeader& header, const PayerTexts& company);

}  // namespace keiro::withholding

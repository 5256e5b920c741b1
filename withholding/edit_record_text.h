#pragma once
// Moving box contents into record fields: text through the code page 932 codec, numbers as the
// record's bytes and 32-bit amounts.

#include <QLineEdit>
#include <algorithm>
#include <cstdint>

#include "core/pstr.h"
#include "core/text.h"
#include "withholding/edit_boxes.h"

namespace keiro::withholding {

// Stores the box's text, normalised and trimmed.  The boxes refuse characters without a code
// page 932 form as they are typed; should one arrive anyway the field keeps what it held.
template <std::size_t N>
void storeText(PStr<N>& field, const QLineEdit* box) {
    try {
        field.assign(EditBoxes::textOf(box));
        field.clearTail();
    } catch (const text::EncodingError&) {
    }
}

// A count or date part as its record byte (0 when empty or out of range).
inline std::uint8_t byteOf(const QLineEdit* box) {
    const int value = EditBoxes::numberOf(box);
    return static_cast<std::uint8_t>(value < 0 || value > 255 ? 0 : value);
}

}  // namespace keiro::withholding

#pragma once
// Texts of the print dialog that depend on no window: the pay slip form types of its combo box
// and the paper panel.

#include <array>
#include <string>
#include <string_view>

#include "print/print_info.h"

namespace keiro::print {

inline constexpr int kFormTypeCount = 8;
inline constexpr int kDefaultFormType = 3;

// The combo box's texts, in FormType order.
const std::array<std::string_view, kFormTypeCount>& formTypeNames();
// A stored form type, or the default for anything out of range.
int validFormType(int formType);

// " Ａ４用紙・横 [297mm×210mm]" and the like.
std::string paperPanelText(const PaperChoice& paper);

}  // namespace keiro::print

#pragma once
// What the withholding editor does when Enter is pressed in the postal-code box: with the
// data-file method chosen, an empty address line 1 and a postal code in the box, line 1 gets the
// address of the code from YubinNo.dat.  The input-method dictionary method drives a Windows
// input method and does nothing here.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "withholding/postal/option_settings.h"

namespace keiro::withholding {

// The text for address line 1, or nothing when the line is to stay as it is.
std::optional<std::string> completedAddress(const OptionSettings& settings,
                                            const std::filesystem::path& dataFolder,
                                            std::string_view postalBox, std::string_view address1);

}  // namespace keiro::withholding

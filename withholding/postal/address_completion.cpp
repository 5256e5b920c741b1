#include "withholding/postal/address_completion.h"

#include "withholding/postal/postal_file.h"

namespace keiro::withholding {

std::optional<std::string> completedAddress(const OptionSettings& settings,
                                            const std::filesystem::path& dataFolder,
                                            std::string_view postalBox, std::string_view address1) {
    if (settings.addressLookup != AddressLookup::DataFile) return std::nullopt;
    if (!address1.empty() || postalBox.empty()) return std::nullopt;
    return addressForPostalCode(dataFolder, postalBox);
}

}  // namespace keiro::withholding

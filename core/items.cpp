#include "core/items.h"

namespace keiro {

std::optional<int> itemIndex(std::string_view identifier) {
    for (int i = 0; i < kItemCount; ++i) {
        if (kItemDefinitions[i].identifier == identifier) return i;
    }
    return std::nullopt;
}

ItemNames::ItemNames() {
    for (int i = 0; i < kItemCount; ++i) names[i] = std::string(kItemDefinitions[i].defaultName);
}

}  // namespace keiro

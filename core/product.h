#pragma once
// The product's title: the application title, the main window's caption and the start of
// several messages ("Hayameを起動", "Hayameを終了しますか？").

#include <string_view>

namespace keiro {

inline constexpr std::string_view kApplicationTitle = "Hayame";

}  // namespace keiro

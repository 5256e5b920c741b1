#pragma once
// The product's title: the application title, the main window's caption and the start of
// several messages ("Keiroを起動", "Keiroを終了しますか？").

#include <string_view>

namespace keiro {

inline constexpr std::string_view kApplicationTitle = "Keiro";

}  // namespace keiro

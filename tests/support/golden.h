// Comparison of a drawing with its expected form in tests/golden/.  With KEIRO_UPDATE_GOLDEN=1
// in the environment the expected file is written from the drawing instead (then review the
// difference before committing it).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/fileio.h"

namespace keiro::testing_support {

inline std::filesystem::path goldenPath(std::string_view name) {
    return std::filesystem::path(KEIRO_SOURCE_DIR) / "tests" / "golden" / name;
}

inline void expectMatchesGolden(const std::string& drawing, std::string_view name) {
    const std::filesystem::path path = goldenPath(name);
    const char* update = std::getenv("KEIRO_UPDATE_GOLDEN");
    if (update != nullptr && std::string_view(update) == "1") {
        std::filesystem::create_directories(path.parent_path());
        writeFileAtomic(path, drawing, std::filesystem::perms(0644));
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(path)) << path << " is missing";
    EXPECT_EQ(drawing, readFile(path)) << "the drawing differs from " << path;
}

}  // namespace keiro::testing_support

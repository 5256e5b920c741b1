// A private folder for one test, created fresh and removed with everything in it afterwards.
#pragma once

#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace keiro::testing_support {

// Creates `<temp dir>/<prefix>-XXXXXX` (mode 0700) and removes it on destruction, first
// giving back the owner's rights on everything inside so that files and folders a test made
// read-only go too.  Converts to the folder's path, so it can be passed where a path is
// expected.  Construction throws std::system_error when no folder can be made; destruction
// never throws.
class TempFolder {
  public:
    explicit TempFolder(std::string_view prefix) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
        }
        path_ = pattern;
    }
    ~TempFolder() {
        try {
            makeRemovable(path_);
            std::error_code ignored;
            std::filesystem::remove_all(path_, ignored);
        } catch (...) {  // a folder left behind must not end the test run
        }
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const noexcept { return path_; }
    operator const std::filesystem::path&() const noexcept { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const {
        return path_ / name;
    }

  private:
    // Adds the owner's rights to `folder` and, below it, to every folder and file.  Symbolic
    // links are neither followed nor changed, so nothing outside the folder is touched.
    static void makeRemovable(const std::filesystem::path& folder) {
        namespace fs = std::filesystem;
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const fs::file_status status = it->symlink_status(ignored);
            if (fs::is_directory(status)) {
                makeRemovable(it->path());
            } else if (fs::exists(status) && !fs::is_symlink(status)) {
                fs::permissions(it->path(), fs::perms::owner_read | fs::perms::owner_write,
                                fs::perm_options::add, ignored);
            }
        }
    }

    std::filesystem::path path_;
};

}  // namespace keiro::testing_support

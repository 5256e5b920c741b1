#pragma once
// File access shared by both programs.  Every failure is an IoError (core/errors.h) naming the
// file and the reason; callers show it as a message and abandon the operation.  Files that
// hold personal data are created readable by their owner only, and replacing a file is atomic:
// the new content goes to a temporary file in the same folder, is flushed, and is renamed over
// the old.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"

namespace keiro {

namespace fs = std::filesystem;

inline constexpr fs::perms kPrivateFile = fs::perms::owner_read | fs::perms::owner_write;
inline constexpr fs::perms kPrivateDir = fs::perms::owner_all;

// Size limits of the files read from outside, by kind: beyond its limit a file is refused with a
// message saying so, and never read whole.
inline constexpr std::size_t kSettingsFileLimit = 1 << 20;  // Keiro.ini
inline constexpr std::size_t kCsvFileLimit = 16 << 20;      // imported CSVs
inline constexpr std::size_t kDataFileLimit = 64 << 20;     // any other file (postal data, log)

// Whole-file reading and writing.  Only a regular file is read (a FIFO, a device or a folder is
// refused without blocking), and only up to `limit` bytes: a larger one is an IoError.
std::string readFile(const fs::path& path, std::size_t limit = kDataFileLimit);
// Reads exactly `size` bytes at `offset`; a file too short is an IoError.
void readAt(const fs::path& path, std::size_t offset, void* out, std::size_t size);

// Replaces (or creates) the file with `content`, atomically, mode 0600 unless told otherwise
// (only files without personal data, such as the shipped tables, are made readable by others).
void writeFileAtomic(const fs::path& path, std::string_view content, fs::perms mode = kPrivateFile);

// Copies a file atomically under the new name (mode 0600).
void copyFile(const fs::path& from, const fs::path& to);

// Appends bytes to a file, creating it (mode 0600) when missing.
void appendToFile(const fs::path& path, std::string_view bytes);

// Whether something is at `path` to be read.  A place that cannot be examined (a folder without
// access) counts as present, so that reading it reports why instead of passing over it.
bool mayExist(const fs::path& path);

// Creates the folder and missing parents with mode 0700.
void createPrivateDirectories(const fs::path& path);

}  // namespace keiro

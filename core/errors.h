#pragma once
// How failures travel, in both programs:
//
//  - The outside world failing is an exception whose what() is a Japanese text a clerk can act
//    on (which file, what went wrong): IoError below for files and folders (a missing, damaged,
//    foreign or too short file, a full disk, no access), calc::TableError for a table file that
//    fails its checks, text::EncodingError for text without a code page 932 form.  The window
//    that started the operation catches them, shows the text and abandons the operation with
//    nothing half-done.
//  - Checking what the clerk typed or chose, or a file the clerk hands in line by line (CSV
//    imports), is no failure: it returns a result with the message to show or the lines that
//    were refused and why (EntryCheck, the CSV import results, NewYearFile).
//  - Broken preconditions of our own code: the records' 1-based accessors and other cheap inner
//    look-ups assert; operations on the open year that would write outside their data when
//    misused (no period open, a slot outside 1..100) throw std::logic_error or one of its kind.
//  - Whatever a window command lets escape all the same is caught by the command runner
//    (widgets/command_runner.h): it says so, and the program keeps running with the open period
//    as it was, so no unsaved work is lost.

#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace keiro {

// A file or folder that could not be read, written or used.  what() is
// "ファイルの<action>に失敗しました。" followed by the path and the reason.
class IoError : public std::runtime_error {
  public:
    // `action` is a short Japanese description ("読み込み", "書き込み", ...).
    IoError(const std::filesystem::path& path, std::string_view action, int errorNumber);
    IoError(const std::filesystem::path& path, std::string_view action, std::string_view reason);

    const std::filesystem::path& path() const { return path_; }
    int errorNumber() const { return errno_; }

  private:
    std::filesystem::path path_;
    int errno_ = 0;
};

}  // namespace keiro

#pragma once
// The configuration file: an ini file of [sections] and key=value lines in code page 932 with
// CRLF line ends, read and written the way the Windows profile functions do it.
//
// Reading: section and key names compare without regard to ASCII case; the first section of a
// name and its first key of a name count; lines that are neither a section, a key nor a ';'
// comment are ignored.  A value is trimmed of surrounding blanks and then loses one pair of
// enclosing double quotes, so "\" a \"" reads as " a ".  A missing file, section or key gives
// the caller's default; a key present with an empty value gives the empty text.
//
// Writing: both programs write their own keys into the same file, so every write reads the
// file again from disk, changes only its own lines, keeps every other line, comment and their
// order, and replaces the file atomically.  A new key goes after the last entry of its section,
// a new section to the end of the file.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keiro {

namespace fs = std::filesystem;

// The lines of an ini text and their meaning, without any file or encoding: names and values
// are code page 932 bytes.  Used by IniFile; on its own it serves the fuzz target.
class IniText {
  public:
    IniText() = default;
    explicit IniText(std::string_view bytes);

    // The value (trimmed, one pair of enclosing double quotes removed), or nothing when the
    // section or key is missing.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;

    // Sets the first matching key, adds it to the end of its section, or adds the section.
    // The caller guarantees names and value without line breaks (IniFile checks them).
    void set(std::string_view section, std::string_view key, std::string_view value);
    // Removes every line of the key in the first matching section.
    void erase(std::string_view section, std::string_view key);

    // The text with CRLF after every line.
    std::string serialize() const;
    std::size_t lineCount() const { return lines_.size(); }

  private:
    enum class Kind { Other, Blank, Comment, Section, Key };
    struct Line {
        std::string text;
        Kind kind = Kind::Other;
        std::string_view name() const { return std::string_view(text).substr(nameStart, nameSize); }
        std::string_view value() const {
            return std::string_view(text).substr(valueStart, valueSize);
        }
        std::size_t nameStart = 0, nameSize = 0, valueStart = 0, valueSize = 0;
    };
    static Line parseLine(std::string text);
    // [header, end) of the first section of that name; nothing when missing.
    std::optional<std::pair<std::size_t, std::size_t>> findSection(std::string_view name) const;

    std::vector<Line> lines_;
};

// A set of changes written together: one read and one write of the file.  Values are UTF-8
// (setBytes takes code page 932 bytes as they are).  Every value is encoded as it is added, so
// a value that cannot be stored throws text::EncodingError before anything is written.
class IniChanges {
  public:
    IniChanges& set(std::string_view section, std::string_view key, std::string_view utf8Value);
    // The value enclosed in double quotes, so that surrounding blanks and quotes survive.
    IniChanges& setQuoted(std::string_view section, std::string_view key,
                          std::string_view utf8Value);
    IniChanges& setInt(std::string_view section, std::string_view key, int value);
    IniChanges& setBool(std::string_view section, std::string_view key, bool value);  // "1"/"0"
    IniChanges& setBytes(std::string_view section, std::string_view key, std::string_view cp932);
    IniChanges& erase(std::string_view section, std::string_view key);

    bool empty() const { return changes_.empty(); }

  private:
    friend class IniFile;
    struct Change {
        std::string section, key;          // code page 932
        std::optional<std::string> value;  // nothing: erase
    };
    std::vector<Change> changes_;
};

class IniFile {
  public:
    // Reads the file now.  A missing file is an empty one (nothing is created until the first
    // write); any other failure to read is an IoError.
    explicit IniFile(fs::path path);

    const fs::path& path() const { return path_; }
    // Reads the file again (the other program may have changed it).
    void reload();

    bool hasKey(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view fallback = {}) const;
    // The value's code page 932 bytes as stored (trimmed, quotes removed); empty when missing.
    std::string readBytes(std::string_view section, std::string_view key) const;
    // An optional sign and decimal digits, nothing else; anything else (empty, garbage, out of
    // range) gives the fallback, like a missing key.
    int readInt(std::string_view section, std::string_view key, int fallback) const;
    // An integer, non-zero meaning true; no integer gives the fallback.
    bool readBool(std::string_view section, std::string_view key, bool fallback) const;
    // A decimal number with "." as the point; no number gives the fallback.
    double readDouble(std::string_view section, std::string_view key, double fallback) const;

    // Each write reads the file from disk, applies the changes, and writes it back at once
    // (atomically, mode 0600).  A file without write permission is refused with an IoError and
    // left as it is; a value without a code page 932 form throws text::EncodingError.
    void apply(const IniChanges& changes);
    void writeString(std::string_view section, std::string_view key, std::string_view utf8Value);
    void writeInt(std::string_view section, std::string_view key, int value);
    void writeBool(std::string_view section, std::string_view key, bool value);
    void eraseKey(std::string_view section, std::string_view key);

  private:
    std::optional<std::string_view> lookup(std::string_view section, std::string_view key) const;

    fs::path path_;
    IniText text_;
};

}  // namespace keiro

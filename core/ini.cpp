#include "core/ini.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <utility>

#include "core/fileio.h"
#include "core/text.h"

namespace keiro {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool isLead(char c) {
    return text::isLeadByte(static_cast<std::uint8_t>(c));
}

// Position of `c` in code page 932 text, never matching the second byte of a double-byte
// character (']' can be one).
std::size_t findCharacter(std::string_view s, char c, std::size_t from) {
    for (std::size_t i = from; i < s.size(); i += isLead(s[i]) ? 2 : 1) {
        if (s[i] == c) return i;
    }
    return std::string_view::npos;
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares names without regard to ASCII case; double-byte characters compare exactly.
bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (isLead(a[i]) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

bool isAscii(std::string_view s) {
    for (const char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

std::string toFileBytes(std::string_view utf8) {
    return isAscii(utf8) ? std::string(utf8) : text::toCp932(utf8);
}

// Section and key names come from the program, never from the user: a name that cannot
// stand in an ini line, or would read back as something else, is a programming error.
std::string encodeName(std::string_view utf8, std::string_view forbidden,
                       std::string_view forbiddenFirst) {
    bool valid = !utf8.empty() && trim(utf8).size() == utf8.size() &&
                 utf8.find_first_of(forbidden) == std::string_view::npos &&
                 forbiddenFirst.find(utf8.front()) == std::string_view::npos;
    for (const char c : utf8) valid = valid && static_cast<unsigned char>(c) >= 0x20;
    if (!valid) throw std::invalid_argument("invalid ini name: " + std::string(utf8));
    return toFileBytes(utf8);
}

std::string encodeSection(std::string_view utf8) {
    return encodeName(utf8, "]", "");
}
std::string encodeKey(std::string_view utf8) {
    return encodeName(utf8, "=", ";[");
}

// A line break or NUL inside a value would cut the line or the file.
void checkStorable(std::string_view cp932) {
    for (const char c : cp932) {
        if (c == '\r' || c == '\n' || c == '\0') {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
            throw text::EncodingError(
                std::string("使用できない文字が含まれています。(") + code + ")",
                static_cast<char32_t>(c));
        }
    }
}

std::optional<int> parseInt(std::string_view s) {
    s = trim(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || error != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return value;
}

std::optional<double> parseDouble(std::string_view s) {
    s = trim(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || error != std::errc() || end != s.data() + s.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string readIfPresent(const fs::path& path) {
    try {
        return readFile(path, kSettingsFileLimit);
    } catch (const IoError& e) {
        if (e.errorNumber() == ENOENT) return {};
        throw;
    }
}

// The file's read-only state is the user's decision: replacing the file by rename would
// ignore it (and root ignores permissions), so the permission bits are checked first.
void refuseReadOnly(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status)) return;
    if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) {
        throw IoError(path, "書き込み", EACCES);
    }
    if (::access(path.c_str(), W_OK) != 0) throw IoError(path, "書き込み", errno);
}

}  // namespace

// ---- IniText ----

IniText::IniText(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines_.push_back(parseLine(std::string(line)));
        if (end == std::string_view::npos) break;
        bytes.remove_prefix(end + 1);
    }
}

IniText::Line IniText::parseLine(std::string text) {
    Line line;
    line.text = std::move(text);
    const std::string_view s = line.text;
    const std::string_view content = trim(s);
    const std::size_t start = static_cast<std::size_t>(content.data() - s.data());
    auto span = [&](std::string_view part, std::size_t& at, std::size_t& size) {
        at = static_cast<std::size_t>(part.data() - s.data());
        size = part.size();
    };
    if (content.empty()) {
        line.kind = Kind::Blank;
    } else if (content.front() == ';') {
        line.kind = Kind::Comment;
    } else if (content.front() == '[') {
        const std::size_t close = findCharacter(s, ']', start + 1);
        if (close != std::string_view::npos) {
            line.kind = Kind::Section;
            span(trim(s.substr(start + 1, close - start - 1)), line.nameStart, line.nameSize);
        }
    } else if (const std::size_t equals = s.find('=', start); equals != std::string_view::npos) {
        line.kind = Kind::Key;
        span(trim(s.substr(start, equals - start)), line.nameStart, line.nameSize);
        std::string_view value = trim(s.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        span(value, line.valueStart, line.valueSize);
    }
    return line;
}

std::optional<std::pair<std::size_t, std::size_t>> IniText::findSection(
    std::string_view name) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind != Kind::Section || !sameName(lines_[i].name(), name)) continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && lines_[end].kind != Kind::Section) ++end;
        return std::pair{i, end};
    }
    return std::nullopt;
}

std::optional<std::string_view> IniText::value(std::string_view section,
                                               std::string_view key) const {
    const auto range = findSection(section);
    if (!range) return std::nullopt;
    for (std::size_t i = range->first + 1; i < range->second; ++i) {
        const Line& line = lines_[i];
        if (line.kind == Kind::Key && sameName(line.name(), key)) return line.value();
    }
    return std::nullopt;
}

namespace {

// Joins three pieces into one line.  (Appending step by step also keeps GCC 12's -Wrestrict
// false positive on `"[" + std::string(x) + "]"` away.)
std::string joined(std::string_view a, std::string_view b, std::string_view c) {
    std::string out;
    out.reserve(a.size() + b.size() + c.size());
    out.append(a).append(b).append(c);
    return out;
}

}  // namespace

void IniText::set(std::string_view section, std::string_view key, std::string_view value) {
    const auto range = findSection(section);
    if (!range) {
        if (!lines_.empty() && lines_.back().kind != Kind::Blank) lines_.push_back(parseLine({}));
        lines_.push_back(parseLine(joined("[", section, "]")));
        lines_.push_back(parseLine(joined(key, "=", value)));
        return;
    }
    std::size_t insertAt = range->first + 1;
    for (std::size_t i = range->first + 1; i < range->second; ++i) {
        Line& line = lines_[i];
        if (line.kind == Kind::Key && sameName(line.name(), key)) {
            // The key keeps the spelling it has in the file.
            line = parseLine(joined(line.name(), "=", value));
            return;
        }
        if (line.kind == Kind::Key || line.kind == Kind::Other) insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  parseLine(joined(key, "=", value)));
}

void IniText::erase(std::string_view section, std::string_view key) {
    const auto range = findSection(section);
    if (!range) return;
    const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(range->first + 1);
    const auto last = lines_.begin() + static_cast<std::ptrdiff_t>(range->second);
    lines_.erase(std::remove_if(first, last,
                                [&](const Line& line) {
                                    return line.kind == Kind::Key && sameName(line.name(), key);
                                }),
                 last);
}

std::string IniText::serialize() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.text;
        out += "\r\n";
    }
    return out;
}

// ---- IniChanges ----

IniChanges& IniChanges::set(std::string_view section, std::string_view key,
                            std::string_view utf8Value) {
    return setBytes(section, key, toFileBytes(utf8Value));
}

IniChanges& IniChanges::setQuoted(std::string_view section, std::string_view key,
                                  std::string_view utf8Value) {
    return setBytes(section, key, joined("\"", toFileBytes(utf8Value), "\""));
}

IniChanges& IniChanges::setInt(std::string_view section, std::string_view key, int value) {
    return setBytes(section, key, std::to_string(value));
}

IniChanges& IniChanges::setBool(std::string_view section, std::string_view key, bool value) {
    return setBytes(section, key, value ? "1" : "0");
}

IniChanges& IniChanges::setBytes(std::string_view section, std::string_view key,
                                 std::string_view cp932) {
    checkStorable(cp932);
    changes_.push_back({encodeSection(section), encodeKey(key), std::string(cp932)});
    return *this;
}

IniChanges& IniChanges::erase(std::string_view section, std::string_view key) {
    changes_.push_back({encodeSection(section), encodeKey(key), std::nullopt});
    return *this;
}

// ---- IniFile ----

IniFile::IniFile(fs::path path) : path_(std::move(path)) {
    reload();
}

void IniFile::reload() {
    text_ = IniText(readIfPresent(path_));
}

std::optional<std::string_view> IniFile::lookup(std::string_view section,
                                                std::string_view key) const {
    try {
        return text_.value(toFileBytes(section), toFileBytes(key));
    } catch (const text::EncodingError&) {
        return std::nullopt;  // a name that cannot be in the file is not in it
    }
}

bool IniFile::hasKey(std::string_view section, std::string_view key) const {
    return lookup(section, key).has_value();
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    const auto raw = lookup(section, key);
    return raw ? text::fromCp932(*raw) : std::string(fallback);
}

std::string IniFile::readBytes(std::string_view section, std::string_view key) const {
    return std::string(lookup(section, key).value_or(std::string_view{}));
}

int IniFile::readInt(std::string_view section, std::string_view key, int fallback) const {
    const auto raw = lookup(section, key);
    return raw ? parseInt(*raw).value_or(fallback) : fallback;
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool fallback) const {
    return readInt(section, key, fallback ? 1 : 0) != 0;
}

double IniFile::readDouble(std::string_view section, std::string_view key, double fallback) const {
    const auto raw = lookup(section, key);
    return raw ? parseDouble(*raw).value_or(fallback) : fallback;
}

void IniFile::apply(const IniChanges& changes) {
    if (changes.empty()) return;
    refuseReadOnly(path_);
    const std::string onDisk = readIfPresent(path_);
    IniText fresh(onDisk);
    for (const auto& change : changes.changes_) {
        if (change.value) {
            fresh.set(change.section, change.key, *change.value);
        } else {
            fresh.erase(change.section, change.key);
        }
    }
    const std::string bytes = fresh.serialize();
    if (bytes != onDisk) writeFileAtomic(path_, bytes);
    text_ = std::move(fresh);
}

void IniFile::writeString(std::string_view section, std::string_view key,
                          std::string_view utf8Value) {
    apply(IniChanges().set(section, key, utf8Value));
}

void IniFile::writeInt(std::string_view section, std::string_view key, int value) {
    apply(IniChanges().setInt(section, key, value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
    apply(IniChanges().setBool(section, key, value));
}

void IniFile::eraseKey(std::string_view section, std::string_view key) {
    apply(IniChanges().erase(section, key));
}

}  // namespace keiro

#pragma once
// The one place that talks to libqpdf.  Its headers (libqpdf 11) do not compile as C++20 with
// clang and libstdc++ 12 (a vector of a type still being defined), so this file is compiled as
// C++17 and includes nothing of the program's own.

#include <string>
#include <string_view>

namespace keiro::print {

// `pdf` written again with AES-256 (revision 6): it opens with `userPassword`; `ownerPassword`
// lifts the restrictions (printing and copying allowed, changes not).  Throws std::runtime_error
// with libqpdf's reason when `pdf` cannot be read.
std::string qpdfEncrypt(std::string_view pdf, const std::string& userPassword,
                        const std::string& ownerPassword);

// `pdf` written again with its document information's title and author set (an empty one is
// left as it was) and its objects packed into compressed object streams.  Throws
// std::runtime_error with libqpdf's reason when `pdf` cannot be read.
std::string qpdfWithInfo(std::string_view pdf, const std::string& title, const std::string& author);

}  // namespace keiro::print

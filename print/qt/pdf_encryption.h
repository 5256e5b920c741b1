#pragma once
// Password protection of a finished PDF with libqpdf: AES-256 (the PDF 2.0 standard security
// handler, revision 6), so a file handed over electronically opens only with its password.

#include <string>
#include <string_view>

namespace keiro::print {

// The PDF `pdf` encrypted so that it opens only with `password` (printable ASCII).  The owner
// password is a second random one nobody keeps: whoever opens the file may print and copy from
// it, and no one can lift the protection.  Throws std::runtime_error when `pdf` is not a PDF
// libqpdf can read.
std::string encryptPdf(std::string_view pdf, const std::string& password);

}  // namespace keiro::print

#include "print/qt/pdf_encryption.h"

#include "core/slip_password.h"
#include "print/qt/qpdf_encrypt.h"

namespace keiro::print {

std::string encryptPdf(std::string_view pdf, const std::string& password) {
    return qpdfEncrypt(pdf, password, generateSlipPassword() + generateSlipPassword());
}

}  // namespace keiro::print

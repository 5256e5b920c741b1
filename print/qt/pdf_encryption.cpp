#include "print/qt/pdf_encryption.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include <memory>
#include <stdexcept>

#include "core/slip_password.h"

namespace keiro::print {

std::string encryptPdf(std::string_view pdf, const std::string& password) {
    try {
        // libqpdf reads the buffer in place while the document is written.
        const std::string source(pdf);
        QPDF document;
        document.setSuppressWarnings(true);
        document.processMemoryFile("slip.pdf", source.data(), source.size());
        QPDFWriter writer(document);
        writer.setOutputMemory();
        const std::string owner = generateSlipPassword() + generateSlipPassword();
        writer.setR6EncryptionParameters(password.c_str(), owner.c_str(),
                                         /*allow_accessibility=*/true, /*allow_extract=*/true,
                                         /*allow_assemble=*/false,
                                         /*allow_annotate_and_form=*/false,
                                         /*allow_form_filling=*/false,
                                         /*allow_modify_other=*/false, qpdf_r3p_full,
                                         /*encrypt_metadata_aes=*/true);
        writer.write();
        const std::shared_ptr<Buffer> out = writer.getBufferSharedPointer();
        return std::string(reinterpret_cast<const char*>(out->getBuffer()), out->getSize());
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string("PDFを暗号化できませんでした: ") + e.what());
    }
}

}  // namespace keiro::print

#include "print/qt/qpdf_encrypt.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

#include <memory>
#include <stdexcept>

namespace keiro::print {
namespace {

std::string bytesOf(QPDFWriter& writer) {
    writer.write();
    const std::shared_ptr<Buffer> out = writer.getBufferSharedPointer();
    return std::string(reinterpret_cast<const char*>(out->getBuffer()), out->getSize());
}

}  // namespace

std::string qpdfWithInfo(std::string_view pdf, const std::string& title,
                         const std::string& author) {
    try {
        const std::string source(pdf);
        QPDF document;
        document.setSuppressWarnings(true);
        document.processMemoryFile("report.pdf", source.data(), source.size());
        QPDFObjectHandle trailer = document.getTrailer();
        QPDFObjectHandle info = trailer.getKey("/Info");
        if (!info.isDictionary()) {
            info = document.makeIndirectObject(QPDFObjectHandle::newDictionary());
            trailer.replaceKey("/Info", info);
        }
        if (!title.empty()) info.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(title));
        if (!author.empty()) info.replaceKey("/Author", QPDFObjectHandle::newUnicodeString(author));
        QPDFWriter writer(document);
        writer.setOutputMemory();
        writer.setObjectStreamMode(qpdf_o_generate);
        return bytesOf(writer);
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string("PDFの文書情報を書き込めませんでした: ") + e.what());
    }
}

std::string qpdfEncrypt(std::string_view pdf, const std::string& userPassword,
                        const std::string& ownerPassword) {
    try {
        // libqpdf reads the buffer in place while the document is written.
        const std::string source(pdf);
        QPDF document;
        document.setSuppressWarnings(true);
        document.processMemoryFile("slip.pdf", source.data(), source.size());
        QPDFWriter writer(document);
        writer.setOutputMemory();
        writer.setR6EncryptionParameters(userPassword.c_str(), ownerPassword.c_str(),
                                         /*allow_accessibility=*/true, /*allow_extract=*/true,
                                         /*allow_assemble=*/false,
                                         /*allow_annotate_and_form=*/false,
                                         /*allow_form_filling=*/false,
                                         /*allow_modify_other=*/false, qpdf_r3p_full,
                                         /*encrypt_metadata_aes=*/true);
        return bytesOf(writer);
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string("PDFを暗号化できませんでした: ") + e.what());
    }
}

}  // namespace keiro::print

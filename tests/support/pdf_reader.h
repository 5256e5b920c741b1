#pragma once
// Opens a PDF file with libqpdf's reader, as a PDF viewer would, with or without a password, and
// tells how it is encrypted.

#include <qpdf/QPDF.hh>

#include <filesystem>
#include <string>

namespace keiro::testing_support {

struct PdfOpening {
    bool opened = false;  // the password (or none) opened the file and its pages were read
    bool encrypted = false;
    bool aes256 = false;  // revision 6, AES-256 for streams, strings and embedded files
    int pages = 0;
};

inline PdfOpening openPdf(const std::filesystem::path& file, const std::string& password = "") {
    PdfOpening opening;
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processFile(file.c_str(), password.c_str());
        opening.pages = static_cast<int>(pdf.getAllPages().size());
        int revision = 0, permissions = 0, version = 0;
        QPDF::encryption_method_e streams = QPDF::e_none, strings = QPDF::e_none,
                                  files = QPDF::e_none;
        opening.encrypted =
            pdf.isEncrypted(revision, permissions, version, streams, strings, files);
        opening.aes256 = revision == 6 && version == 5 && streams == QPDF::e_aesv3 &&
                         strings == QPDF::e_aesv3 && files == QPDF::e_aesv3;
        opening.opened = opening.pages > 0;
    } catch (const std::exception&) {
        opening.opened = false;
    }
    return opening;
}

}  // namespace keiro::testing_support

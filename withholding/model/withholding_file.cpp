#include "withholding/model/withholding_file.h"

#include <cassert>
#include <cstring>

#include "core/file_upkeep.h"
#include "core/fileio.h"

namespace keiro::withholding {
namespace {

std::string sizeMismatch(std::size_t actual, std::size_t expected) {
    return "源泉徴収データファイルが壊れています（大きさが " + std::to_string(actual) +
           " バイトで、" + std::to_string(expected) + " バイトではありません）";
}

}  // namespace

WithholdingFile::WithholdingFile(bool currentFormat) : current_(currentFormat) {
    if (current_) {
        records_.resize(kMaxEmployees);
    } else {
        legacy_.resize(kMaxEmployees);
    }
}

std::size_t WithholdingFile::fileSize(bool currentFormat) {
    return kWithholdingHeaderSize +
           kMaxEmployees * (currentFormat ? kRecordSize : kLegacyRecordSize);
}

WithholdingFile WithholdingFile::load(const std::filesystem::path& path, bool currentFormat) {
    removeLeftoverTempFiles(followLinks(path));  // what an interrupted save left beside it
    const std::string content = readFile(path);
    const std::size_t expected = fileSize(currentFormat);
    if (content.size() != expected) {
        throw IoError(path, "読み込み", sizeMismatch(content.size(), expected));
    }
    WithholdingFile file(currentFormat);
    std::memcpy(&file.header_, content.data(), kWithholdingHeaderSize);
    const char* records = content.data() + kWithholdingHeaderSize;
    if (currentFormat) {
        std::memcpy(file.records_.data(), records, kMaxEmployees * kRecordSize);
    } else {
        std::memcpy(file.legacy_.data(), records, kMaxEmployees * kLegacyRecordSize);
    }
    return file;
}

WithholdingRecord& WithholdingFile::record(int slot) {
    assert(current_);
    return records_[indexOf(slot, kMaxEmployees)];
}

const WithholdingRecord& WithholdingFile::record(int slot) const {
    assert(current_);
    return records_[indexOf(slot, kMaxEmployees)];
}

LegacyWithholdingRecord& WithholdingFile::legacyRecord(int slot) {
    assert(!current_);
    return legacy_[indexOf(slot, kMaxEmployees)];
}

const LegacyWithholdingRecord& WithholdingFile::legacyRecord(int slot) const {
    assert(!current_);
    return legacy_[indexOf(slot, kMaxEmployees)];
}

std::string WithholdingFile::bytes() const {
    std::string content(fileSize(current_), '\0');
    std::memcpy(content.data(), &header_, kWithholdingHeaderSize);
    char* records = content.data() + kWithholdingHeaderSize;
    if (current_) {
        std::memcpy(records, records_.data(), kMaxEmployees * kRecordSize);
    } else {
        std::memcpy(records, legacy_.data(), kMaxEmployees * kLegacyRecordSize);
    }
    return content;
}

void WithholdingFile::save(const std::filesystem::path& path) const {
    writeFileAtomic(path, bytes());
}

bool WithholdingFile::differsFrom(const std::filesystem::path& path) const {
    const std::string mine = bytes();
    if (!mayExist(path)) return mine != std::string(mine.size(), '\0');
    try {
        return readFile(path) != mine;
    } catch (const IoError&) {
        return true;
    }
}

namespace {

template <typename Record>
YearEndFigures figuresOfRecord(const Record& r) {
    return {r.adjustStatus, r.paid, r.withheld, r.annualTax};
}

}  // namespace

YearEndFigures yearEndFiguresOf(const WithholdingFile& file, int slot) {
    return file.currentFormat() ? figuresOfRecord(file.record(slot))
                                : figuresOfRecord(file.legacyRecord(slot));
}

}  // namespace keiro::withholding

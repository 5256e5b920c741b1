#include "withholding/model/withholding_file.h"
#include "withholding/model/record_check.h"

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

constexpr char kSupplementMagic[8] = {'K', 'E', 'I', 'R', 'O', 'S', 'U', 'P'};
constexpr std::uint32_t kSupplementVersion = 1;

void putLittleEndian(char* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<char>((value >> (8 * i)) & 0xFFu);
}

std::string supplementMark() {
    std::string mark(WithholdingFile::kSupplementMarkSize, '\0');
    std::memcpy(mark.data(), kSupplementMagic, sizeof kSupplementMagic);
    putLittleEndian(mark.data() + 8, kSupplementVersion);
    putLittleEndian(mark.data() + 12, static_cast<std::uint32_t>(kSupplementSize));
    return mark;
}

constexpr std::size_t kSupplementBytes =
    WithholdingFile::kSupplementMarkSize + kMaxEmployees * kSupplementSize;

}  // namespace

WithholdingFile::WithholdingFile(bool currentFormat) : current_(currentFormat) {
    if (current_) {
        records_.resize(kMaxEmployees);
        supplements_.resize(kMaxEmployees);
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
    const std::size_t expected = fileSize(currentFormat);
    const std::string content = readFile(path, expected + kSupplementBytes);
    const bool supplemented = currentFormat && content.size() == expected + kSupplementBytes;
    if (content.size() != expected && !supplemented) {
        throw IoError(path, "読み込み", sizeMismatch(content.size(), expected));
    }
    if (supplemented && content.compare(expected, kSupplementMarkSize, supplementMark()) != 0) {
        throw IoError(path, "読み込み",
                      "源泉徴収データファイルが壊れています（追加データの見出しが違います）");
    }
    WithholdingFile file(currentFormat);
    if (supplemented) {
        std::memcpy(file.supplements_.data(), content.data() + expected + kSupplementMarkSize,
                    kMaxEmployees * kSupplementSize);
    }
    std::memcpy(&file.header_, content.data(), kWithholdingHeaderSize);
    const char* records = content.data() + kWithholdingHeaderSize;
    if (currentFormat) {
        std::memcpy(file.records_.data(), records, kMaxEmployees * kRecordSize);
        // Checked as the year file is: a damaged file is refused and left as it is.
        for (int slot = 1; slot <= kMaxEmployees; ++slot) {
            const std::string problem = withholdingRecordProblem(file.record(slot), slot);
            if (!problem.empty()) {
                throw IoError(path, "読み込み",
                              "源泉徴収データファイルが壊れています（" + problem + "）");
            }
        }
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

WithholdingSupplement& WithholdingFile::supplement(int slot) {
    assert(current_);
    return supplements_[indexOf(slot, kMaxEmployees)];
}

const WithholdingSupplement& WithholdingFile::supplement(int slot) const {
    assert(current_);
    return supplements_[indexOf(slot, kMaxEmployees)];
}

bool WithholdingFile::hasSupplement() const {
    const WithholdingSupplement zero{};
    for (const WithholdingSupplement& s : supplements_) {
        if (std::memcmp(&s, &zero, sizeof zero) != 0) return true;
    }
    return false;
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
    if (current_ && hasSupplement()) {
        content += supplementMark();
        content.append(reinterpret_cast<const char*>(supplements_.data()),
                       kMaxEmployees * kSupplementSize);
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

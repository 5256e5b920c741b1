#pragma once
// A year's withholding file in memory: the payer header and the 100 employee records, in the
// record format of the year (1500 bytes from 平成28 on, 500 before).  In the current format
// the records may be followed by the supplement: a 16-byte mark ("KEIROSUP", the version 1 and
// the size of one slot's supplement, little-endian 32-bit) and 100 WithholdingSupplements.  It
// is written only when some slot uses it, so files nobody entered those details in keep the
// size of earlier versions.  The records have no magic number or checksum, so the size is the
// one check of its kind: a file of any other size, or with a wrong mark, is refused as damaged.
// Saving replaces the file atomically (mode 0600); a failure is an IoError and leaves the file
// as it was.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "withholding/model/records.h"

namespace keiro::withholding {

// The year-end figures of one employee, whichever the record format: what the list, the batch
// calculation, the 年末調整一覧表 and the settlement in pay read.
struct YearEndFigures {
    std::uint8_t status = kNotProcessed;  // AdjustStatus
    std::int64_t paid = 0;
    std::int64_t withheld = 0;   // 徴収税額, the tax withheld during the year
    std::int64_t annualTax = 0;  // 源泉徴収税額 (for one not adjusted: the tax withheld)
    // 過不足: positive is collected from the employee, negative refunded.
    std::int64_t difference() const { return annualTax - withheld; }
};

class WithholdingFile;
// Slot 1..100.
YearEndFigures yearEndFiguresOf(const WithholdingFile& file, int slot);

class WithholdingFile {
  public:
    // An empty file (every byte zero) of the given format.
    explicit WithholdingFile(bool currentFormat);

    // Reads the file; IoError when it cannot be read or its size is not that of the format.
    static WithholdingFile load(const std::filesystem::path& path, bool currentFormat);

    // The size without the supplement.
    static std::size_t fileSize(bool currentFormat);
    static constexpr std::size_t kSupplementMarkSize = 16;

    bool currentFormat() const { return current_; }

    WithholdingHeader& header() { return header_; }
    const WithholdingHeader& header() const { return header_; }
    // Slot 1..100; record() only in the current format, legacyRecord() only in the legacy one.
    WithholdingRecord& record(int slot);
    const WithholdingRecord& record(int slot) const;
    LegacyWithholdingRecord& legacyRecord(int slot);
    const LegacyWithholdingRecord& legacyRecord(int slot) const;
    // Slot 1..100, current format only.
    WithholdingSupplement& supplement(int slot);
    const WithholdingSupplement& supplement(int slot) const;
    bool hasSupplement() const;  // some slot's supplement holds a byte other than zero

    // The file's bytes: header, then the records of slots 1..100.
    std::string bytes() const;

    void save(const std::filesystem::path& path) const;

    // Whether saving would change the file: the header and the records are compared byte for
    // byte with the file, a missing file as all zeros.  A file that exists but cannot be read
    // whole, or has the wrong size, counts as different (saving mends it).
    bool differsFrom(const std::filesystem::path& path) const;

  private:
    bool current_;
    WithholdingHeader header_{};
    std::vector<WithholdingRecord> records_;          // 100 in the current format
    std::vector<LegacyWithholdingRecord> legacy_;     // 100 in the legacy format
    std::vector<WithholdingSupplement> supplements_;  // 100 in the current format
};

}  // namespace keiro::withholding

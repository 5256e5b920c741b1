#pragma once
// The published figures under data/ are plain UTF-8 CSV files with a header line, no quoting
// and no thousands separators.  This reads them for the table builders and the tests.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace keiro::calc {

// A data file that does not have the expected shape; what() names the file, line and column.
class DataError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class DataCsv {
  public:
    // `name` is used in error messages only.
    DataCsv(std::string_view content, std::string name);

    std::size_t rowCount() const { return rows_.size(); }
    // Index of a header column; DataError when the file has no such column.
    std::size_t column(std::string_view header) const;

    const std::string& text(std::size_t row, std::string_view header) const;
    bool empty(std::size_t row, std::string_view header) const;
    // Whole yen; DataError when the cell is empty or not a whole number.
    std::int32_t integer(std::size_t row, std::string_view header) const;
    std::optional<std::int32_t> optionalInteger(std::size_t row, std::string_view header) const;
    // A decimal as printed ("20.42"), DataError when not a number.
    double decimal(std::size_t row, std::string_view header) const;

  private:
    [[noreturn]] void fail(std::size_t row, std::string_view header, std::string_view why) const;

    std::string name_;
    std::vector<std::string> header_;
    std::vector<std::vector<std::string>> rows_;
};

}  // namespace keiro::calc

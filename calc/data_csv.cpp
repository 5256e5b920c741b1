#include "calc/data_csv.h"

#include <charconv>
#include <utility>

namespace keiro::calc {
namespace {

std::vector<std::string> splitPlain(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        fields.emplace_back(line.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return fields;
}

}  // namespace

DataCsv::DataCsv(std::string_view content, std::string name) : name_(std::move(name)) {
    std::size_t start = 0;
    bool first = true;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos) end = content.size();
        std::string_view line = content.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        std::vector<std::string> fields = splitPlain(line);
        if (first) {
            header_ = std::move(fields);
            first = false;
            continue;
        }
        if (fields.size() != header_.size()) {
            throw DataError(name_ + ": line " + std::to_string(rows_.size() + 2) + " has " +
                            std::to_string(fields.size()) + " fields, the header " +
                            std::to_string(header_.size()));
        }
        rows_.push_back(std::move(fields));
    }
    if (header_.empty()) throw DataError(name_ + ": empty file");
}

std::size_t DataCsv::column(std::string_view header) const {
    for (std::size_t i = 0; i < header_.size(); ++i) {
        if (header_[i] == header) return i;
    }
    throw DataError(name_ + ": no column " + std::string(header));
}

const std::string& DataCsv::text(std::size_t row, std::string_view header) const {
    return rows_.at(row)[column(header)];
}

bool DataCsv::empty(std::size_t row, std::string_view header) const {
    return text(row, header).empty();
}

void DataCsv::fail(std::size_t row, std::string_view header, std::string_view why) const {
    throw DataError(name_ + ": line " + std::to_string(row + 2) + ", column " +
                    std::string(header) + ": " + std::string(why));
}

std::int32_t DataCsv::integer(std::size_t row, std::string_view header) const {
    const std::optional<std::int32_t> value = optionalInteger(row, header);
    if (!value) fail(row, header, "empty");
    return *value;
}

std::optional<std::int32_t> DataCsv::optionalInteger(std::size_t row,
                                                     std::string_view header) const {
    const std::string& cell = text(row, header);
    if (cell.empty()) return std::nullopt;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
    if (error != std::errc() || end != cell.data() + cell.size()) {
        fail(row, header, "not a whole number: " + cell);
    }
    return value;
}

double DataCsv::decimal(std::size_t row, std::string_view header) const {
    const std::string& cell = text(row, header);
    double value = 0;  // from_chars: independent of the process locale
    const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
    if (cell.empty() || error != std::errc() || end != cell.data() + cell.size()) {
        fail(row, header, "not a number: " + cell);
    }
    return value;
}

}  // namespace keiro::calc

// Any bytes as new postal data (a zip or Japan Post's CSV) and as YubinNo.dat: conversion never
// reads outside its input, every entry it accepts has a seven-digit code, and a lookup finds
// only entries of that code.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "withholding/postal/postal_data.h"
#include "withholding/postal/postal_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keiro::withholding;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        const PostalConversion conversion = convertPostalData(bytes);
        for (const PostalEntry& entry : conversion.entries) {
            if (entry.code.size() != 7) __builtin_trap();
        }
        if (conversion.errors.size() > kMaxErrors) __builtin_trap();
        if (conversion.ok()) {
            const std::string file = postalFileText(conversion.entries);
            const auto found = findAddress(file, conversion.entries.front().code);
            if (!found) __builtin_trap();
        }
    } catch (const PostalDataError&) {
    }
    const std::string key(bytes.substr(0, 7));
    if (const auto address = findAddress(bytes, key)) {
        if (key.size() != 7 || bytes.find(key) == std::string_view::npos) __builtin_trap();
    }
    return 0;
}

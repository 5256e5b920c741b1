// Saves one period of a year file through the program's own save path, for the crash-safety
// test: `save_loop FILE once V` saves variant V (0 or 1) once; `save_loop FILE loop` saves the
// two variants in turn until it is killed.  The file is created empty when missing.
#include <cstring>
#include <exception>
#include <iostream>
#include <string>

#include "core/era.h"
#include "core/yearfile.h"

namespace {

// The two states differ in the pay of every employee slot, so a save rewrites the whole block.
void setVariant(keiro::YearData& year, int variant) {
    for (keiro::PaymentRecord& payment : year.block().payments) {
        payment.basePayAmount = variant == 0 ? 100'000 : 250'000;
        payment.overtimePay = variant == 0 ? 0 : 12'345;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: save_loop FILE once 0|1 | save_loop FILE loop\n";
        return 2;
    }
    try {
        const std::filesystem::path file = argv[1];
        keiro::createYearFileIfMissing(file);
        keiro::YearData year;
        year.setFile(file, "令和", 8, keiro::eraNamesFor(std::chrono::year{2026} / 4 / 1, ""));
        year.openPeriod(1, keiro::PeriodEntry{}, [](keiro::YearData&, const keiro::OpenResult&) {});
        if (std::strcmp(argv[2], "once") == 0 && argc == 4) {
            setVariant(year, std::atoi(argv[3]));
            year.savePeriod();
            return 0;
        }
        for (int variant = 0;; variant ^= 1) {
            setVariant(year, variant);
            year.savePeriod();
        }
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
}

#pragma once
// The company's address, telephone, prefecture and closing day, entered once at the first start
// and kept in the settings file both programs read: the payroll program's set-up writes them,
// the year-end program prints the address as the payer's until its own is entered.

#include <string>

#include "core/ini.h"

namespace keiro {

struct CompanyAddress {
    std::string address1;    // Company/Address1
    std::string address2;    // Company/Address2
    std::string phone;       // Company/TelNo
    std::string prefecture;  // Company/Prefecture: the 協会けんぽ branch, "東京都"
    int closingDay = 0;      // Company/ClosingDay: 1..31, 31 = month end; 0 not entered
};

CompanyAddress readCompanyAddress(const IniFile& ini);
void storeCompanyAddress(IniFile& ini, const CompanyAddress& address);

}  // namespace keiro

#include "core/company_address.h"

namespace keiro {
namespace {

constexpr std::string_view kCompany = "Company";

}  // namespace

CompanyAddress readCompanyAddress(const IniFile& ini) {
    CompanyAddress a;
    a.address1 = ini.readString(kCompany, "Address1", "");
    a.address2 = ini.readString(kCompany, "Address2", "");
    a.phone = ini.readString(kCompany, "TelNo", "");
    a.prefecture = ini.readString(kCompany, "Prefecture", "");
    const int day = ini.readInt(kCompany, "ClosingDay", 0);
    a.closingDay = day >= 1 && day <= 31 ? day : 0;
    return a;
}

void storeCompanyAddress(IniFile& ini, const CompanyAddress& address) {
    ini.apply(IniChanges()
                  .set(kCompany, "Address1", address.address1)
                  .set(kCompany, "Address2", address.address2)
                  .set(kCompany, "TelNo", address.phone)
                  .set(kCompany, "Prefecture", address.prefecture)
                  .setInt(kCompany, "ClosingDay", address.closingDay));
}

}  // namespace keiro

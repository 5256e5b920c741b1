#include "payroll/employee_resident_city_box.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/errors.h"
#include "core/municipality.h"
#include "core/municipality_file.h"
#include "payroll/config_widgets.h"
#include "widgets/command_runner.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

// The name as the record keeps it: fifteen bytes, seven double-byte characters.
constexpr int kCityNameBytes = 15;
constexpr int kPostalDigits = 7;

}  // namespace

ResidentTaxCityBox::ResidentTaxCityBox(const BoxMaker& maker, std::filesystem::path dataFolder)
    : QGroupBox(QStringLiteral("住民税納付先"), maker.parent),
      dataFolder_(std::move(dataFolder)),
      messages_(maker.messages) {
    setObjectName(QStringLiteral("gbJuuminSaki"));
    const BoxMaker make{this, maker.settings, maker.messages};
    cityCodeEdit_ = make.digits("edJuuminCode", 6);
    cityNameEdit_ = make.text("edJuuminCity", kCityNameBytes);
    postalCodeEdit_ = make.digits("edJuuminYubin", kPostalDigits);
    postalCodeEdit_->setPlaceholderText(QStringLiteral("1234567"));
    auto* lookup = new QPushButton(QStringLiteral("郵便番号から"), this);
    lookup->setObjectName(QStringLiteral("btJuuminYubin"));
    lookup->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(10);
    addRow(grid, 0, caption(this, QStringLiteral("市区町村コード")), cityCodeEdit_, 0);
    addRow(grid, 0, caption(this, QStringLiteral("市区町村名")), cityNameEdit_, 2);
    grid->setColumnMinimumWidth(4, 20);
    addRow(grid, 0, caption(this, QStringLiteral("郵便番号")), postalCodeEdit_, 5);
    grid->addWidget(lookup, 0, 7);
    grid->setColumnStretch(8, 1);

    ui::connectCommand(lookup, this, messages_, &ResidentTaxCityBox::lookUpPostalCode);
}

void ResidentTaxCityBox::load(const EmployeeRecord& record) {
    cityCodeEdit_->setText(qs(municipalityCodeText(int(record.residentTaxCityCode))));
    cityNameEdit_->setText(qs(record.residentTaxCity.utf8()));
    postalCodeEdit_->clear();
}

void ResidentTaxCityBox::store(EmployeeRecord& record) const {
    const std::optional<int> code = parseMunicipalityCode(cityCodeEdit_->text().toStdString());
    record.residentTaxCityCode = code.value_or(0);
    record.residentTaxCity.assign(trimmedText(cityNameEdit_));
}

std::optional<ResidentTaxCityBox::Problem> ResidentTaxCityBox::problem() const {
    const std::string codeText = cityCodeEdit_->text().toStdString();
    const bool hasName = !trimmedText(cityNameEdit_).empty();
    if (codeText.empty()) {
        if (hasName) return Problem{kMsgCityCodeMissing, cityCodeEdit_};
        return std::nullopt;
    }
    const std::optional<int> code = parseMunicipalityCode(codeText);
    if (!code) return Problem{kMsgCityCodeNotSixDigits, cityCodeEdit_};
    if (!isValidMunicipalityCode(*code)) return Problem{kMsgCityCodeCheckDigit, cityCodeEdit_};
    if (!hasName) return Problem{kMsgCityNameMissing, cityNameEdit_};
    return std::nullopt;
}

void ResidentTaxCityBox::lookUpPostalCode() {
    const std::string postal = postalCodeEdit_->text().toStdString();
    if (postal.size() != kPostalDigits) {
        messages_.error(this, qs(kMsgPostalCodeDigits));
        postalCodeEdit_->setFocus(Qt::OtherFocusReason);
        return;
    }
    MunicipalityAnswer answer;
    try {
        answer = lookupMunicipality(dataFolder_, postal);
    } catch (const IoError& e) {
        messages_.error(this, qs(e.what()));
        return;
    }
    switch (answer.outcome) {
        case MunicipalityLookup::NoData:
            messages_.warning(this, qs(kMsgNoMunicipalityData));
            return;
        case MunicipalityLookup::NotFound:
            messages_.warning(this, qs(kMsgPostalCodeUnknown));
            postalCodeEdit_->setFocus(Qt::OtherFocusReason);
            return;
        case MunicipalityLookup::Found:
            cityCodeEdit_->setText(qs(municipalityCodeText(answer.municipality.code)));
            cityNameEdit_->setText(qs(answer.municipality.name));
            return;
    }
}

}  // namespace keiro::payroll

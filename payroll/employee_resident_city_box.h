#pragma once
// The employee editor's group "住民税納付先": the municipality the employee's residence tax is
// paid to, as its six-digit code and its name.  Both may be typed; "郵便番号から" fills them from
// the postal code typed beside it when the data folder holds the postal data's municipality
// file.  The group checks the entry (both or neither, six digits, the check digit) when the
// editor's OK asks.

#include <QGroupBox>
#include <filesystem>
#include <optional>
#include <string>

#include "core/records.h"
#include "payroll/employee_boxes.h"

class QLineEdit;

namespace keiro::payroll {

inline constexpr const char* kMsgCityCodeNotSixDigits =
    "市区町村コードは6桁の数字で入力して下さい。";
inline constexpr const char* kMsgCityCodeCheckDigit =
    "市区町村コードの検査数字が正しくありません。\n入力内容を確認して下さい。";
inline constexpr const char* kMsgCityNameMissing = "納付先の市区町村名を入力して下さい。";
inline constexpr const char* kMsgCityCodeMissing = "納付先の市区町村コードを入力して下さい。";
inline constexpr const char* kMsgPostalCodeDigits = "郵便番号を7桁の数字で入力して下さい。";
inline constexpr const char* kMsgNoMunicipalityData =
    "郵便番号データ（市区町村）がありません。\n"
    "源泉徴収票の動作環境設定で郵便番号データを更新して下さい。";
inline constexpr const char* kMsgPostalCodeUnknown = "該当する郵便番号がありません。";

class ResidentTaxCityBox : public QGroupBox {
    Q_OBJECT
  public:
    ResidentTaxCityBox(const BoxMaker& maker, std::filesystem::path dataFolder);

    void load(const EmployeeRecord& record);
    // Writes the code (0 when empty or not six digits) and the name.  Throws
    // text::EncodingError for a name that cannot be stored.
    void store(EmployeeRecord& record) const;

    // What is wrong with the entry, as the message to show, with the box to put the focus in.
    struct Problem {
        std::string message;
        QLineEdit* box;
    };
    std::optional<Problem> problem() const;

    void lookUpPostalCode();

    QLineEdit* codeBox() const { return cityCodeEdit_; }
    QLineEdit* nameBox() const { return cityNameEdit_; }
    QLineEdit* postalBox() const { return postalCodeEdit_; }

  private:
    std::filesystem::path dataFolder_;
    ui::MessageService& messages_;
    QLineEdit* cityCodeEdit_;
    QLineEdit* cityNameEdit_;
    QLineEdit* postalCodeEdit_;
};

}  // namespace keiro::payroll

#pragma once
// Where things are on one copy of the current-format slip and payment report: millimetres from
// the copy's origin.  The ruled frame (slip_frame) and the entries (slip_entries) both place
// themselves by these.

namespace keiro::withholding::slip {

inline constexpr float kLeft = 21.0f;
inline constexpr float kRight = 143.5f;
inline constexpr float kTop = 22.5f;        // the slip's outer box
inline constexpr float kReportTop = 17.5f;  // the report's, with the band of its year box
inline constexpr float kBottom = 196.0f;

// 支払を受ける者
inline constexpr float kRecipientLabelRight = 26.0f;
inline constexpr float kRefRowBottom = 26.5f;  // ※種別, ※整理番号 | (受給者番号)
inline constexpr float kAddressRight = 90.0f;
inline constexpr float kRightLabelRight = 103.9f;   // labels of the right column; 12 boxes after
inline constexpr float kNumberRowBottom = 31.0f;    // (個人番号)
inline constexpr float kPositionRowBottom = 35.0f;  // (役職名)
inline constexpr float kRecipientBottom = 43.0f;    // (フリガナ), 氏名

// The main amounts.
inline constexpr float kAmountHeadBottom = 47.0f;
inline constexpr float kAmountBottom = 53.5f;
inline constexpr float kAmountTextY = 49.5f;
inline constexpr float kKindRight = 44.5f;
inline constexpr float kPaidX = 44.5f;
inline constexpr float kIncomeX = 69.5f;
inline constexpr float kDeductionsX = 93.5f;
inline constexpr float kTaxX = 117.0f;
inline constexpr float kIncomeLine = 94.4f;  // between the income's and the deductions' cells
inline constexpr float kTaxLine = 118.2f;

// Spouse, dependants, disabled.
inline constexpr float kFamilyHeadBottom = 57.5f;
inline constexpr float kFamilySubBottom = 60.5f;
inline constexpr float kFamilyBottom = 69.0f;
inline constexpr float kFamilyTextY = 65.0f;
inline constexpr float kSpouseAmountX = 41.0f;
inline constexpr float kDependantsX = 60.0f;
inline constexpr float kElderlyX = 75.0f;
inline constexpr float kOtherX = 95.0f;
inline constexpr float kUnder16X = 107.0f;
inline constexpr float kDisabledX = 115.5f;
inline constexpr float kDisabledOtherX = 129.0f;
inline constexpr float kNonResidentX = 137.0f;

// The insurance deductions.
inline constexpr float kDeductionHeadBottom = 72.5f;
inline constexpr float kDeductionBottom = 80.0f;
inline constexpr float kMutualAidY = 73.5f;
inline constexpr float kDeductionTextY = 76.0f;
inline constexpr float kSocialX = 21.0f;
inline constexpr float kLifeX = 51.5f;
inline constexpr float kEarthquakeX = 83.0f;
inline constexpr float kHousingX = 113.0f;

// (摘要)
inline constexpr float kRemarksBottom = 99.0f;
inline constexpr float kRemarksFirstY = 83.3f;
inline constexpr float kRemarksStep = 3.1f;

// Breakdown rows: the life insurance premiums (two rows of three), the housing-loan credit (two
// rows, first and second time), the spouse, and the row of single amounts.
inline constexpr float kSectionLabelRight = 31.0f;
inline constexpr float kLifeTop = 99.0f;
inline constexpr float kLifeRow = 6.0f;
inline constexpr float kPairWidth = 37.5f;
inline constexpr float kPairLabel = 7.5f;
inline constexpr float kHousingTop = 111.0f;
inline constexpr float kHousingRow = 7.0f;
inline constexpr float kSpouseTop = 125.0f;
inline constexpr float kSpouseBottom = 133.0f;
inline constexpr float kSingleTop = 133.0f;
inline constexpr float kSingleBottom = 140.0f;

// Dependants: four lines on each side, each a line of name and a line of number boxes.
inline constexpr float kDependantsTop = 140.0f;
inline constexpr float kEntryHeight = 8.0f;
inline constexpr float kEntryNameHeight = 5.0f;
inline constexpr float kHalf = 82.25f;
inline constexpr float kSideLabel = 4.0f;
inline constexpr float kEntryNumber = 3.0f;
inline constexpr float kEntryKind = 8.25f;  // 区分 at the right of each entry
inline constexpr float kDependantsBottom = 172.0f;
inline constexpr float kNotesBottom = 176.5f;  // (備考)

// Marks, joining or leaving, birth date.
inline constexpr float kMarksHeadBottom = 181.0f;
inline constexpr float kMarksBottom = 186.0f;
inline constexpr float kChangeX = 82.6f;
inline constexpr float kChangeWidth = 4.5f;
inline constexpr float kBirthX = 105.1f;
inline constexpr float kBirthEraWidth = 4.0f;
inline constexpr float kBirthNumberWidth = 7.5f;

// 支払者
inline constexpr float kPayerLabelRight = 26.0f;
inline constexpr float kPayerFieldLabelRight = 48.0f;
inline constexpr float kPayerNumberBottom = 189.5f;
inline constexpr float kPayerAddressBottom = 193.0f;

}  // namespace keiro::withholding::slip

#pragma once
// TfmDataEdit, 源泉徴収データの入力 for the 500-byte years (before 平成28): the same window as
// TfmDataEdit2 on the older record — the spouse chosen from a list, three remarks lines, one
// residence start, no dependants dialog and no individual numbers.  Opened as TfmDataEdit2 is.

#include "withholding/data_edit_base.h"

namespace keiro::withholding {

class TfmDataEdit : public RecordEditor<LegacyWithholdingRecord> {
    Q_OBJECT
  public:
    TfmDataEdit(const EditorContext& context, QWidget* parent);
};

}  // namespace keiro::withholding

#pragma once
// LegacyWithholdingEditor, 源泉徴収データの入力 for the 500-byte years (before 平成28): the same
// window as WithholdingEditor on the older record — the spouse chosen from a list, three remarks
// lines, one residence start, no dependants dialog and no individual numbers.  Opened as
// WithholdingEditor is.

#include "withholding/record_editor_base.h"

namespace keiro::withholding {

class LegacyWithholdingEditor : public RecordEditor<LegacyWithholdingRecord> {
    Q_OBJECT
  public:
    LegacyWithholdingEditor(const EditorContext& context, QWidget* parent);
};

}  // namespace keiro::withholding

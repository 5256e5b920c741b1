#pragma once
// WithholdingEditor, 源泉徴収データの入力 for the 1500-byte years (平成28 on): one employee's
// withholding record, with the dependants dialog (配偶者/扶養親族) and the inputs of the later
// law in the years that have them.
//
// Opening it from the main window:
//     EditorContext context{file, yearView, "令和", 8, 2026, true, "令和", options, dataFolder,
//                           messages, selectSlot, openFamily};
//     WithholdingEditor editor(context, this);
//     editor.execOn(slot);

#include "withholding/record_editor_base.h"

namespace keiro::withholding {

class WithholdingEditor : public RecordEditor<WithholdingRecord> {
    Q_OBJECT
  public:
    WithholdingEditor(const EditorContext& context, QWidget* parent);
};

}  // namespace keiro::withholding

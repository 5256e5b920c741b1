#include "withholding/legacy_withholding_editor.h"

namespace keiro::withholding {

LegacyWithholdingEditor::LegacyWithholdingEditor(const EditorContext& context, QWidget* parent)
    : RecordEditor(context, parent) {
    setObjectName(QStringLiteral("TfmDataEdit"));
}

}  // namespace keiro::withholding

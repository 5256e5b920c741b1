#include "withholding/withholding_editor.h"

namespace keiro::withholding {

WithholdingEditor::WithholdingEditor(const EditorContext& context, QWidget* parent)
    : RecordEditor(context, parent) {
    setObjectName(QStringLiteral("TfmDataEdit2"));
}

}  // namespace keiro::withholding

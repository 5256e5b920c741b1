#include "withholding/data_edit.h"

namespace keiro::withholding {

TfmDataEdit::TfmDataEdit(const EditorContext& context, QWidget* parent)
    : RecordEditor(context, parent) {
    setObjectName(QStringLiteral("TfmDataEdit"));
}

}  // namespace keiro::withholding

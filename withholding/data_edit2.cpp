#include "withholding/data_edit2.h"

namespace keiro::withholding {

TfmDataEdit2::TfmDataEdit2(const EditorContext& context, QWidget* parent)
    : RecordEditor(context, parent) {
    setObjectName(QStringLiteral("TfmDataEdit2"));
}

}  // namespace keiro::withholding

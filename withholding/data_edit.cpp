#include "withholding/data_edit.h"

namespace keiro::withholding {

TfmDataEdit::TfmDataEdit(const EditorContext& context, QWidget* parent)
    : TfmDataEditBase(context, false, parent) {
    setObjectName(QStringLiteral("TfmDataEdit"));
}

LegacyWithholdingRecord& TfmDataEdit::record() const { return context().file.legacyRecord(slot()); }

void TfmDataEdit::loadRecord() { loadPanels(record()); }

void TfmDataEdit::storeRecord() { storePanels(record()); }

std::uint8_t* TfmDataEdit::manualFlags() { return record().manualFlags; }

std::uint8_t TfmDataEdit::adjustStatus() const { return record().adjustStatus; }

}  // namespace keiro::withholding

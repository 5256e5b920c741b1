#include "withholding/data_edit2.h"

namespace keiro::withholding {

TfmDataEdit2::TfmDataEdit2(const EditorContext& context, QWidget* parent)
    : TfmDataEditBase(context, true, parent) {
    setObjectName(QStringLiteral("TfmDataEdit2"));
}

WithholdingRecord& TfmDataEdit2::record() const { return context().file.record(slot()); }

void TfmDataEdit2::loadRecord() { loadPanels(record()); }

void TfmDataEdit2::storeRecord() { storePanels(record()); }

std::uint8_t* TfmDataEdit2::manualFlags() { return record().manualFlags; }

std::uint8_t TfmDataEdit2::adjustStatus() const { return record().adjustStatus; }

}  // namespace keiro::withholding

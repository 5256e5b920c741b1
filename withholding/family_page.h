#pragma once
// A page of the dependants dialog beyond its first: it loads its boxes from the slot's record
// and supplement and stores them back when the dialog closes, and lists its individual number
// boxes so that 個人番号を隠す masks them with the others.

#include <QList>
#include <QWidget>

#include "withholding/model/records.h"

class QLineEdit;

namespace keiro::withholding {

class FamilyPage : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;

    virtual void load(const WithholdingRecord& record, const WithholdingSupplement& supplement) = 0;
    // The boxes into the record and the supplement.  False, with the message shown and the
    // focus on the box, for a refused birth date; throws text::EncodingError for a text without
    // a code page 932 form.
    virtual bool store(WithholdingRecord& record, WithholdingSupplement& supplement) const = 0;
    virtual QList<QLineEdit*> numberBoxes() const = 0;
};

}  // namespace keiro::withholding

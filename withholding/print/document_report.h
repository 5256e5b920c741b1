#pragma once
// The report of a document kind for the chosen employees: the slip in the record format of
// the year (two copies from 平成28 on, four in the older layout before), the refund notice, and
// the salary payment report, which exists only for the years with 1500-byte records.

#include <memory>
#include <vector>

#include "print/report.h"
#include "withholding/print/document_source.h"

namespace keiro::withholding {

// Whether the source's year has the kind (the payment report only in the current format).
bool offersDocument(const DocumentSource& source, DocumentKind kind);

// std::invalid_argument for a kind the year does not offer.
std::unique_ptr<print::Report> makeDocumentReport(const DocumentSource& source,
                                                  std::vector<int> slots, DocumentKind kind);

}  // namespace keiro::withholding

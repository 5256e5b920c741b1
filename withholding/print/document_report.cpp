#include "withholding/print/document_report.h"

#include <stdexcept>

#include "withholding/print/legacy_slip.h"
#include "withholding/print/refund_notice.h"
#include "withholding/print/slip_report.h"

namespace keiro::withholding {

bool offersDocument(const DocumentSource& source, DocumentKind kind) {
    return kind != DocumentKind::PaymentReport || source.file->currentFormat();
}

std::unique_ptr<print::Report> makeDocumentReport(const DocumentSource& source,
                                                  std::vector<int> slots, DocumentKind kind) {
    if (!offersDocument(source, kind)) {
        throw std::invalid_argument("給与支払報告書は平成28年分以降のデータでのみ印刷できます");
    }
    switch (kind) {
        case DocumentKind::RefundNotice:
            return std::make_unique<RefundNoticeReport>(source, std::move(slots));
        case DocumentKind::Slip:
            if (!source.file->currentFormat()) {
                return std::make_unique<LegacySlipReport>(source, std::move(slots));
            }
            break;
        case DocumentKind::PaymentReport:
            break;
    }
    return std::make_unique<SlipReport>(source, std::move(slots), kind);
}

}  // namespace keiro::withholding

#pragma once
// Drawing a whole report onto a paged device: a printer (a CUPS queue or a PDF file) or a PDF
// writer.  Both the print dialog and `keiro-tool print` go through here, so paper and PDF are
// drawn alike.

#include <filesystem>
#include <string>

#include "print/page_transform.h"
#include "print/report.h"

class QPagedPaintDevice;
class QPrinter;

namespace keiro::print {

// The user's print position correction, in millimetres.
struct Correction {
    double horizontal = 0.0;
    double vertical = 0.0;
};

// What a paged device tells about itself: resolution and the top left corner of its printable
// area, in its own pixels.
DeviceMetrics metricsOf(const QPagedPaintDevice& device);

// Sets the device's page size and orientation to the report's paper.
void usePaper(QPagedPaintDevice& device, const PaperChoice& paper);

// Draws pages 1..pageCount() on the device, a new page between them.  The device must be set up
// (paper, output); nothing is drawn for a report with no page.  False when the device could not
// start painting (a printer that refused the job, an unwritable PDF path).
bool paintReport(const Report& report, QPagedPaintDevice& device, const Correction& correction);

// The report as a PDF document in memory, fonts embedded, on the report's paper.  Throws IoError
// (naming `path`, where it was meant to go) when the PDF cannot be made.
std::string reportPdfBytes(const Report& report, const Correction& correction,
                           const std::filesystem::path& path);

// Writes the report as a PDF file with its fonts embedded (text stays extractable) on the
// report's paper, all at once (a file half written never takes the place of an older one) and
// readable by its owner only, as pay documents hold personal data.  Throws IoError when the file
// cannot be written.
void writeReportPdf(const Report& report, const std::filesystem::path& path,
                    const Correction& correction);

}  // namespace keiro::print

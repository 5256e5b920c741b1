// A report's page as the programs draw it: the report built once into its page document, then
// drawn from that document onto a recording, so that the golden drawings check what the
// preview, the printer and the PDF really receive.
#pragma once

#include <string>

#include "print/built_report.h"
#include "print/recording_canvas.h"

namespace keiro::testing_support {

inline std::string builtPageRecording(const print::Report& report, int page,
                                      const print::PageDevice& device = {},
                                      double correctionV = 0.0) {
    const print::BuiltReport built(report);
    print::RecordingCanvas canvas(device);
    canvas.transform().setCorrection(0.0, correctionV);
    built.drawPage(canvas, page, print::PageOptions{});
    return canvas.recording();
}

}  // namespace keiro::testing_support

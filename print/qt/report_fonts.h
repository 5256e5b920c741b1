#pragma once
// The reports name their faces as the printed forms do ("ＭＳ 明朝", "ＭＳ ゴシック"); this
// tells Qt which installed faces stand for them (the IPA fonts).  Every program and tool that
// draws a report calls it once after creating its application object.

namespace keiro::print {

void useReportFonts();

}  // namespace keiro::print

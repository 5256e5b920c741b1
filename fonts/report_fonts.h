#pragma once
// The reports and windows name their faces as the printed forms do ("ＭＳ 明朝", "ＭＳ ゴシック");
// this tells Qt which installed faces stand for them (the IPA fonts).  Every program and tool
// that draws text calls it once after creating its application object: the two programs through
// ui::setUpApplication, keiro-tool's PDF output directly.

namespace keiro::fonts {

void useReportFonts();

}  // namespace keiro::fonts

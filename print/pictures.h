#pragma once
// Pay slips saved as pictures, one per employee: the size and scale of a picture, and the file
// names the pictures get in the chosen folder.

#include <string>
#include <string_view>
#include <vector>

#include "print/page_transform.h"
#include "print/print_info.h"

namespace keiro::print {

inline constexpr int kPictureWidth = 840;
inline constexpr int kPictureHeight = 592;
// Pictures are drawn as the preview would show them on an ordinary 96 dpi screen, so the same
// slip gives the same picture on every machine.
inline constexpr int kPictureScreenDpi = 96;

// The drawing device of a picture of a slip on `paper` (landscape): the page's width scaled to
// the picture's width in whole percent, pens of one and two pixels, no margin.
PageDevice pictureDevice(const PaperChoice& paper);

// A picture's name as a file name the folder can hold: the characters no file name (on this
// system or on a memory stick formatted elsewhere) can hold — / \ : * ? " < > | and control
// characters — become "_", as does a leading "." (no hidden file, no "..").  An empty name
// becomes "_"; a very long one is shortened on a character boundary.
std::string safeFileName(std::string_view name);

// The file names of a set of pictures, in order: safe names with ".jpg", the second of two equal
// names "name(2).jpg", the third "name(3).jpg" and so on, so no picture overwrites another.
std::vector<std::string> pictureFileNames(const std::vector<std::string>& names);

inline constexpr std::string_view kMsgPicturesSaved =
    "下記の場所に明細書をJPEG画像として保存しました。\n【%s】";

}  // namespace keiro::print

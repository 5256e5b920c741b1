#pragma once
// The fixed-pitch font of the lists whose lines are padded with blanks into columns: a
// double-byte character takes exactly the width of two single-byte ones.

#include <QFont>

namespace keiro::ui {

inline QFont fixedPitchFont() {
    QFont font(QStringLiteral("IPAGothic"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

}  // namespace keiro::ui

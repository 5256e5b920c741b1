#include "fonts/report_fonts.h"

#include <QFont>
#include <QStringList>

namespace keiro::fonts {

void useReportFonts() {
    const QStringList mincho{QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝")};
    const QStringList gothic{QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")};
    const QStringList pGothic{QStringLiteral("IPAPGothic"), QStringLiteral("IPAPゴシック"),
                              QStringLiteral("IPAGothic")};
    QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"), mincho);
    QFont::insertSubstitutions(QStringLiteral("MS Mincho"), mincho);
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), gothic);
    QFont::insertSubstitutions(QStringLiteral("MS Gothic"), gothic);
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), pGothic);
}

}  // namespace keiro::fonts

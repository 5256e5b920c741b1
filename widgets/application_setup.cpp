#include "widgets/application_setup.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace keiro::ui {
namespace {

void substituteWindowsFonts() {
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

// Qt's own Japanese texts, when the translations are installed; English buttons otherwise.
void installJapaneseTranslator() {
    auto* translator = new QTranslator(qApp);
    if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

}  // namespace

void setUpApplication(const QString& programName, const QString& displayName) {
    QApplication::setApplicationName(programName);
    QApplication::setApplicationDisplayName(displayName);
    substituteWindowsFonts();
    installJapaneseTranslator();
}

}  // namespace keiro::ui

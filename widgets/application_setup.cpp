#include "widgets/application_setup.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "fonts/report_fonts.h"

namespace keiro::ui {
namespace {

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
    // The menu entry and the icon are installed under the program's name in lower case
    // (keiro.desktop, keirolg.svg): desktops match the windows to them by this name.
    const QString installedName = programName.toLower();
    QGuiApplication::setDesktopFileName(installedName);
    QApplication::setWindowIcon(QIcon::fromTheme(installedName));
    fonts::useReportFonts();
    installJapaneseTranslator();
}

}  // namespace keiro::ui

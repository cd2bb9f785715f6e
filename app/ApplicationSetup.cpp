#include "app/ApplicationSetup.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void setUpApplication(QCoreApplication& app) {
    // Also the class in WM_CLASS, which the desktop entry's StartupWMClass names.
    QCoreApplication::setApplicationName(QStringLiteral("Telvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TELVANE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(TELVANE_APP_ID));
    // Every text the user sees is Bulgarian, the HTML view's own pages included.
    const QLocale bulgarian(QLocale::Bulgarian, QLocale::Bulgaria);
    QLocale::setDefault(bulgarian);
    auto* qtTexts = new QTranslator(&app);
    if (qtTexts->load(bulgarian, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTexts);
}

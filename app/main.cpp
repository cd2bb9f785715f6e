#include "LocalPageScheme.h"
#include "Startup.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char** argv) {
    LocalPageScheme::registerScheme();
    // Every text the user sees is Bulgarian, the HTML view's own pages included.
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Telvane"));
    Startup::start();
    const int status = QApplication::exec();
    // The HTML view must be gone before the application object.
    qDeleteAll(QApplication::topLevelWidgets());
    return status;
}

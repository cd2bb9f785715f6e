#include "LocalPageScheme.h"
#include "frmMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    LocalPageScheme::registerScheme();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Telvane"));
    frmMain::instance()->show();
    const int status = QApplication::exec();
    // The HTML view must be gone before the application object.
    qDeleteAll(QApplication::topLevelWidgets());
    return status;
}

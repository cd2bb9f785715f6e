#include "app/Program.h"
#include "app/RunsQuietly.h"
#include "browser/LocalPageScheme.h"
#include "catalogue/PageFiles.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char** argv) {
    keepRunFromWriting();
    LocalPageScheme::registerScheme();
    // Every text the user sees is Bulgarian, the HTML view's own pages included.
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Telvane"));
    Program program(catalogue::dataFolder());
    program.start();
    return QApplication::exec();
}

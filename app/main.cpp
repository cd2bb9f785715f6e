#include "app/ReaderModule.h"
#include "app/RunsQuietly.h"
#include "app/SoftwareDrawing.h"
#include "app/StartUp.h"
#include "catalogue/PageFiles.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char** argv) {
    keepRunFromWriting();
    drawPagesInSoftware();
    // The web engine comes later, from the reader module; it needs this set first.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Every text the user sees is Bulgarian, the HTML view's own pages included.
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Telvane"));
    const QString dataFolder = catalogue::dataFolder();
    StartUp startUp([&dataFolder] { return openReaderModule(dataFolder); });
    return QApplication::exec();
}

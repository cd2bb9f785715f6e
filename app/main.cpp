#include "app/ApplicationSetup.h"
#include "app/CommandLine.h"
#include "app/ReaderModuleLoader.h"
#include "app/RunEnvironment.h"
#include "app/StartUp.h"
#include "catalogue/PageFiles.h"

#include <QApplication>

int main(int argc, char** argv) {
    keepRunFromWriting();
    keepTerminalQuiet();
    drawPagesInSoftware();
    shareOneRendererAmongPages();
    exposePagesToScreenReaders();
    // The web engine comes later, from the reader module; it needs this set first.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (const std::optional<int> exitCode = answerCommandLine(argc, argv))
        return *exitCode;
    QApplication app(argc, argv);
    setUpApplication(app);
    showPagesInDesktopColourScheme();
    const QString dataFolder = catalogue::dataFolder();
    StartUp startUp([&dataFolder] { return openReaderModule(readerModulePath(), dataFolder); });
    return QApplication::exec();
}

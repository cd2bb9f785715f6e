#include "app/ApplicationSetup.h"
#include "app/CommandLine.h"
#include "app/ReaderModuleLoader.h"
#include "app/RunEnvironment.h"
#include "app/StartUp.h"
#include "catalogue/PageFiles.h"
#include "toolkit/Accessibility.h"

#include <QApplication>

int main(int argc, char** argv) {
    keepRunFromWriting();
    keepTerminalQuiet();
    drawPagesInSoftware();
    shareOneRendererAmongPages();
    // The web engine comes later, from the reader module; it needs this set first.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (const std::optional<int> exitCode = answerCommandLine(argc, argv))
        return *exitCode;
    QApplication app(argc, argv);
    setUpApplication(app);
    // Before the first window: a screen reader may be asking for the program already.
    toolkit::installAccessibility();
    showPagesInDesktopColourScheme();
    const QString dataFolder = catalogue::dataFolder();
    StartUp startUp([&dataFolder] { return openReaderModule(readerModulePath(), dataFolder); });
    return QApplication::exec();
}

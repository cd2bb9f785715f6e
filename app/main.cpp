#include "app/ApplicationSetup.h"
#include "app/CommandLine.h"
#include "app/Program.h"
#include "app/RunsQuietly.h"
#include "browser/LocalPageScheme.h"
#include "catalogue/PageFiles.h"

#include <QApplication>

int main(int argc, char** argv) {
    keepRunFromWriting();
    keepTerminalQuiet();
    LocalPageScheme::registerScheme();
    if (const std::optional<int> exitCode = answerCommandLine(argc, argv))
        return *exitCode;
    QApplication app(argc, argv);
    setUpApplication(app);
    Program program(catalogue::dataFolder());
    program.start();
    return QApplication::exec();
}

// The entry of the reader module: everything that needs the web engine, which
// the executable loads only once its splash window is on screen.
#include "app/Program.h"
#include "browser/LocalPageScheme.h"

extern "C" Q_DECL_EXPORT QObject* telvane_open_reader(const QString& dataFolder) {
    // No web engine object exists yet: the engine takes our scheme only now.
    LocalPageScheme::registerScheme();
    auto* program = new Program(dataFolder);
    program->warmUp();
    return program;
}

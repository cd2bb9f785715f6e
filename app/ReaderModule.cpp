// The entry of the reader module: everything that needs the web engine, which
// the executable loads only once its splash window is on screen.
#include "app/ProgramReader.h"
#include "browser/LocalPageScheme.h"

Reader* TELVANE_READER_ENTRY(const QString& dataFolder) {
    // No web engine object exists yet: the engine takes our scheme only now.
    LocalPageScheme::registerScheme();
    auto* reader = new ProgramReader(dataFolder);
    reader->warmUp();
    return reader;
}

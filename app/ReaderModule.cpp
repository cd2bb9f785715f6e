// The entry of the reader module: everything that needs the web engine, which
// the executable loads only once its splash window is on screen.
#include "app/ProgramReader.h"

Reader* TELVANE_READER_ENTRY(const QString& dataFolder) {
    auto* reader = new ProgramReader(dataFolder);
    reader->warmUp();
    return reader;
}

#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>

// What the executable asks of the reader module, the part of the program
// that needs the web engine: one interface, so that the two sides cannot
// drift apart without failing to compile.
class Reader {
public:
    virtual ~Reader() = default;
    // Shows the main window, made now if it was not.
    virtual void showMainWindow() = 0;
};

// The module's one entry: a reader on dataFolder whose main window is already
// at work behind the splash. The name is written once, here.
#define TELVANE_READER_ENTRY telvane_open_reader
extern "C" Q_DECL_EXPORT Reader* TELVANE_READER_ENTRY(const QString& dataFolder);
using OpenReaderEntry = decltype(&TELVANE_READER_ENTRY);
inline constexpr char readerEntrySymbol[] = QT_STRINGIFY(TELVANE_READER_ENTRY);

// A reader, or why there is none, in words for the user.
struct OpenedReader {
    std::unique_ptr<Reader> reader;
    QString failure;
};

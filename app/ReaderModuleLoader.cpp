#include "app/ReaderModuleLoader.h"

#include "app/ModuleFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <cstdio>

namespace {

// What the user is told, with the file and the reason; the loader's own
// words, which are not Bulgarian, go to the standard error only.
OpenedReader failure(const QString& modulePath, const QString& reason, const QString& detail = {}) {
    if (!detail.isEmpty())
        std::fprintf(stderr, "telvane: %s\n", qUtf8Printable(detail));
    return {nullptr, QStringLiteral("Частта на програмата с прозорците за четене липсва или е "
                                    "повредена: %1 (%2).\n\nИнсталирайте програмата отново.")
                         .arg(modulePath, reason)};
}

} // namespace

QString readerModulePath() {
    const QString folder = QCoreApplication::applicationDirPath();
    const QString beside = folder + QStringLiteral("/telvane_reader.so");
    const QString installed = folder + QStringLiteral("/../lib/telvane/reader/telvane_reader.so");
    return !QFileInfo::exists(beside) && QFileInfo::exists(installed) ? installed : beside;
}

OpenedReader openReaderModule(const QString& modulePath, const QString& dataFolder) {
    if (const QString problem = moduleFileProblem(modulePath); !problem.isEmpty())
        return failure(modulePath, problem);
    QLibrary module(modulePath);
    if (!module.load())
        return failure(modulePath, QStringLiteral("не се зарежда"), module.errorString());
    const auto open = reinterpret_cast<OpenReaderEntry>(module.resolve(readerEntrySymbol));
    if (!open) {
        module.unload();
        return failure(modulePath, QStringLiteral("не е част от тази програма"),
                       modulePath + QStringLiteral(": няма ") + QLatin1String(readerEntrySymbol));
    }
    return {std::unique_ptr<Reader>(open(dataFolder)), {}};
}

#include "app/ReaderModuleLoader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <cstdio>

namespace {

QString modulePath() {
    const QString folder = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {folder + QStringLiteral("/telvane_reader.so"),
                                     folder + QStringLiteral("/../lib/telvane/telvane_reader.so")})
        if (QFileInfo::exists(candidate))
            return candidate;
    return folder + QStringLiteral("/telvane_reader.so");
}

} // namespace

std::unique_ptr<QObject> openReaderModule(const QString& dataFolder) {
    // The library stays loaded for the rest of the run: the reader's code is in it.
    QLibrary module(modulePath());
    using Open = QObject* (*)(const QString&);
    const auto open = reinterpret_cast<Open>(module.resolve("telvane_open_reader"));
    if (!open) {
        std::fprintf(stderr,
                     "telvane: частта на програмата с прозорците за четене липсва или е "
                     "повредена (%s)\n",
                     qUtf8Printable(module.errorString()));
        return nullptr;
    }
    return std::unique_ptr<QObject>(open(dataFolder));
}

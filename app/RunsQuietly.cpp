#include "app/RunsQuietly.h"

#include <QCoreApplication>
#include <QtGlobal>

namespace {
void setUnlessSet(const char* name, const QByteArray& value) {
    if (!qEnvironmentVariableIsSet(name))
        qputenv(name, value);
}
} // namespace

void keepRunFromWriting() {
    QCoreApplication::setAttribute(Qt::AA_DisableShaderDiskCache);
    setUnlessSet("MESA_SHADER_CACHE_DISABLE", "true");
    // Without a session bus, D-Bus would start a daemon of its own that
    // outlives the program and writes under the home folder.
    setUnlessSet("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--disable-gpu-shader-disk-cache"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
                (flags + " --disable-gpu-shader-disk-cache").trimmed());
}

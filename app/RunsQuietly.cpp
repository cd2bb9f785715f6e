#include "app/RunsQuietly.h"

#include <QCoreApplication>
#include <QtGlobal>

namespace {
void setUnlessSet(const char* name, const QByteArray& value) {
    if (!qEnvironmentVariableIsSet(name))
        qputenv(name, value);
}
} // namespace

// Not about writing: Qt WebEngine on Linux gives screen readers a page's
// headings, links, tables and text only when this is set.
static void exposePagesToScreenReaders() {
    setUnlessSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
}

void keepRunFromWriting() {
    exposePagesToScreenReaders();
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

#include "app/RunsQuietly.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QtGlobal>

namespace {
void setUnlessSet(const char* name, const QByteArray& value) {
    if (!qEnvironmentVariableIsSet(name))
        qputenv(name, value);
}

// Adds a flag to the web engine's Chromium flags unless the user's flags
// already name its switch.
void addChromiumFlagUnlessSet(const QByteArray& flagSwitch, const QByteArray& flag) {
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains(flagSwitch))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + ' ' + flag).trimmed());
}
} // namespace

void keepRunFromWriting() {
    QCoreApplication::setAttribute(Qt::AA_DisableShaderDiskCache);
    setUnlessSet("MESA_SHADER_CACHE_DISABLE", "true");
    // Without a session bus, D-Bus would start a daemon of its own that
    // outlives the program and writes under the home folder.
    setUnlessSet("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    addChromiumFlagUnlessSet("--disable-gpu-shader-disk-cache", "--disable-gpu-shader-disk-cache");
}

void keepTerminalQuiet() {
    // QT_LOGGING_RULES is applied after these rules, so the user's take precedence.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    addChromiumFlagUnlessSet("--log-level", "--log-level=3");
}

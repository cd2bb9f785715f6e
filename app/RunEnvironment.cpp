#include "app/RunEnvironment.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QPalette>
#include <QString>
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

QtMessageHandler passOn = nullptr;

// What Qt and the web engine say, once each, when there is no GL to draw with,
// which is what was asked for; everything else goes on as before.
void dropNoGlNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("Cannot create platform OpenGL context")) ||
        message.contains(QLatin1String("No suitable graphics backend found")))
        return;
    passOn(type, context, message);
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

void drawPagesInSoftware() {
    setUnlessSet("QT_QUICK_BACKEND", "software");
    setUnlessSet("QT_XCB_GL_INTEGRATION", "none");
    passOn = qInstallMessageHandler(dropNoGlNotes);
}

void shareOneRendererAmongPages() {
    addChromiumFlagUnlessSet("--process-per-site", "--process-per-site");
}

void showPagesInDesktopColourScheme() {
    const QPalette palette = QGuiApplication::palette();
    if (palette.color(QPalette::Window).lightness() <
        palette.color(QPalette::WindowText).lightness())
        addChromiumFlagUnlessSet("--force-dark-mode", "--force-dark-mode");
}

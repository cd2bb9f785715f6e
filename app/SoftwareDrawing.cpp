#include "app/SoftwareDrawing.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <utility>

namespace {

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

void drawPagesInSoftware() {
    for (const auto& [name, value] :
         {std::pair{"QT_QUICK_BACKEND", "software"}, std::pair{"QT_XCB_GL_INTEGRATION", "none"}})
        if (!qEnvironmentVariableIsSet(name))
            qputenv(name, QByteArray(value));
    passOn = qInstallMessageHandler(dropNoGlNotes);
}

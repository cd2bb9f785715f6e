#include "app/SoftwareDrawing.h"

#include <QByteArray>
#include <QtGlobal>
#include <utility>

void drawPagesInSoftware() {
    for (const auto& [name, value] :
         {std::pair{"QT_QUICK_BACKEND", "software"}, std::pair{"QT_XCB_GL_INTEGRATION", "none"}})
        if (!qEnvironmentVariableIsSet(name))
            qputenv(name, QByteArray(value));
}

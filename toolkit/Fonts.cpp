#include "toolkit/Fonts.h"

#include <QStringList>

namespace toolkit {

QFont designFont(double pointSize, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont dialogFont() {
    return designFont(8);
}

} // namespace toolkit

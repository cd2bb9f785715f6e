#pragma once

#include <QFont>

namespace toolkit {

// The designs' fonts: "MS Sans Serif" where the system has it, else a sans
// serif face of like proportions with Cyrillic letters.
QFont designFont(double pointSize, bool bold = false);

// The dialog font that controls without a font of their own use.
QFont dialogFont();

} // namespace toolkit

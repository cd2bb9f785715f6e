#include "toolkit/ProgressBar.h"

#include "toolkit/Accessibility.h"

#include <cmath>

namespace toolkit {

namespace {
// The bar shows tenths, so that the steps of a fractional value are visible.
constexpr int stepsPerUnit = 10;
int shown(float value) {
    return static_cast<int>(std::lround(value * stepsPerUnit));
}
} // namespace

ProgressBar::ProgressBar(QWidget* parent, float min, float max)
    : QProgressBar(parent), TwipsGeometry(static_cast<QWidget&>(*this)), min_(min), max_(max),
      value_(min) {
    setRange(shown(min), shown(max));
    QProgressBar::setValue(shown(min));
    setTextVisible(false);
    installAccessibility();
}

bool ProgressBar::trySetValue(float value) {
    if (!(value >= min_ && value <= max_))
        return false;
    value_ = value;
    QProgressBar::setValue(shown(value));
    return true;
}

} // namespace toolkit

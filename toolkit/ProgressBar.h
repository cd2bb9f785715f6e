#pragma once

#include "toolkit/TwipsGeometry.h"

#include <QProgressBar>

namespace toolkit {

// A progress bar that holds a single-precision value in [Min, Max] and refuses
// any value outside that range, keeping the one it had. The integer value of
// the underlying bar is in tenths of a unit.
class ProgressBar : public QProgressBar, public TwipsGeometry {
    Q_OBJECT
public:
    ProgressBar(QWidget* parent, float min, float max);

    float Min() const { return min_; }
    float Max() const { return max_; }
    float Value() const { return value_; }
    // False, and nothing changes, for a value outside the range.
    bool trySetValue(float value);

private:
    float min_;
    float max_;
    float value_;
};

} // namespace toolkit

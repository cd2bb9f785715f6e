#pragma once

#include "TwipsGeometry.h"

#include <QProgressBar>

namespace toolkit {

// A progress bar that holds a single-precision value in [Min, Max] and refuses
// any value outside that range, keeping the one it had.
class ProgressBar : public QProgressBar, public TwipsGeometry {
    Q_OBJECT
public:
    ProgressBar(QWidget* parent, float min, float max);

    float Value() const { return value_; }
    bool setValue(float value);

private:
    float min_;
    float max_;
    float value_;
};

} // namespace toolkit

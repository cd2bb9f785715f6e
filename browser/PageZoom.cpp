#include "browser/PageZoom.h"

#include <QChildEvent>
#include <QWebEngineView>
#include <QWheelEvent>
#include <algorithm>
#include <array>

namespace {

constexpr std::array<qreal, 13> steps{0.5,  0.67, 0.75, 0.8, 0.9, 1.0, 1.1,
                                      1.25, 1.5,  1.75, 2.0, 2.5, 3.0};
constexpr int wheelNotch = 120;

} // namespace

PageZoom::PageZoom(QWebEngineView& view) : QObject(&view), view_(view) {
    // The wheel turns over the widget that draws the page, which the view
    // makes anew now and then; the engine would zoom by steps of its own.
    view_.installEventFilter(this);
    for (QObject* child : view_.children())
        child->installEventFilter(this);
}

void PageZoom::zoomIn() {
    apply(*std::upper_bound(steps.begin(), steps.end() - 1, factor_));
}

void PageZoom::zoomOut() {
    apply(*(std::lower_bound(steps.begin() + 1, steps.end(), factor_) - 1));
}

void PageZoom::reset() {
    apply(1);
}

void PageZoom::apply(qreal factor) {
    factor_ = factor;
    view_.setZoomFactor(factor_);
}

bool PageZoom::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &view_) {
        if (event->type() == QEvent::ChildAdded)
            static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
        return false;
    }
    if (event->type() != QEvent::Wheel)
        return false;
    const auto* wheel = static_cast<QWheelEvent*>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier))
        return false;
    for (wheelTurned_ += wheel->angleDelta().y(); wheelTurned_ >= wheelNotch;
         wheelTurned_ -= wheelNotch)
        zoomIn();
    for (; wheelTurned_ <= -wheelNotch; wheelTurned_ += wheelNotch)
        zoomOut();
    return true;
}

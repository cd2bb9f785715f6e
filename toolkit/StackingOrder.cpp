#include "toolkit/StackingOrder.h"

#include <iterator>

namespace toolkit {

void stackFrontToBack(std::initializer_list<QWidget*> frontToBack) {
    for (auto it = std::rbegin(frontToBack); it != std::rend(frontToBack); ++it)
        (*it)->raise();
}

// A parent keeps its child widgets in stacking order, back to front.
bool isInFrontOf(const QWidget* a, const QWidget* b) {
    const QObject* parent = a->parent();
    if (!parent || parent != b->parent())
        return false;
    return parent->children().indexOf(a) > parent->children().indexOf(b);
}

} // namespace toolkit

#include "toolkit/StackingOrder.h"

#include <iterator>

namespace toolkit {

void stackFrontToBack(std::initializer_list<QWidget*> frontToBack) {
    for (auto it = std::rbegin(frontToBack); it != std::rend(frontToBack); ++it)
        (*it)->raise();
}

} // namespace toolkit

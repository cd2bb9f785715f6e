#pragma once

#include <QWidget>
#include <initializer_list>

namespace toolkit {

// Stacks sibling controls so that each lies in front of the ones listed after it.
void stackFrontToBack(std::initializer_list<QWidget*> frontToBack);

} // namespace toolkit

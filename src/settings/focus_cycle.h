#pragma once

#include <vector>

class QWidget;

namespace hanaki {

// Tab and Shift+Tab on the editors: the grid, then the buttons, then the grid
// again. Disabled widgets are passed over.
void StepFocus(const std::vector<QWidget*>& cycle, QWidget* from, bool forward);

}  // namespace hanaki

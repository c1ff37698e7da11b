#include "settings/focus_cycle.h"

#include <QWidget>
#include <algorithm>

namespace hanaki {

void StepFocus(const std::vector<QWidget*>& cycle, QWidget* from, bool forward) {
    const int count = static_cast<int>(cycle.size());
    const auto found = std::find(cycle.begin(), cycle.end(), from);
    int index = found == cycle.end() ? 0 : static_cast<int>(found - cycle.begin());
    for (int step = 0; step < count; ++step) {
        index = (index + (forward ? 1 : count - 1)) % count;
        if (cycle[index]->isEnabled()) {
            cycle[index]->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

}  // namespace hanaki

#include "settings/focus_cycle.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
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

bool ButtonRowKey(QDialog& editor, QPushButton* button, const QKeyEvent* event,
                  const std::vector<QWidget*>& cycle) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            button->click();
            return true;
        case Qt::Key_Escape:
            editor.reject();
            return true;
        case Qt::Key_Tab:
            StepFocus(cycle, button, true);
            return true;
        case Qt::Key_Backtab:
            StepFocus(cycle, button, false);
            return true;
        default:
            return false;
    }
}

}  // namespace hanaki

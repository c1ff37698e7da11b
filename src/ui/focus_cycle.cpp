#include "ui/focus_cycle.h"

#include <QDialog>
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

KeyTable ButtonRowKeys(QDialog& editor, QPushButton* button, const std::vector<QWidget*>& cycle) {
    return {"",
            {{{Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}, "", [button] { button->click(); }},
             {{Qt::Key_Escape}, "", [&editor] { editor.reject(); }},  // as on the grid
             {{Qt::Key_Tab}, "", [cycle, button] { StepFocus(cycle, button, true); }},
             {{Qt::Key_Backtab}, "", [cycle, button] { StepFocus(cycle, button, false); }}}};
}

}  // namespace hanaki

#pragma once

#include <vector>

class QDialog;
class QKeyEvent;
class QPushButton;
class QWidget;

namespace hanaki {

// Tab and Shift+Tab on the editors: the grid, then the buttons, then the grid
// again. Disabled widgets are passed over.
void StepFocus(const std::vector<QWidget*>& cycle, QWidget* from, bool forward);

// A key on an editor's button row: Enter and Space press the button, Esc closes
// the editor unsaved, Tab and Shift+Tab step round `cycle`. False for any
// other key.
bool ButtonRowKey(QDialog& editor, QPushButton* button, const QKeyEvent* event,
                  const std::vector<QWidget*>& cycle);

}  // namespace hanaki

#pragma once

#include <vector>

#include "ui/key_table.h"

class QDialog;
class QPushButton;
class QWidget;

namespace hanaki {

// Tab and Shift+Tab on the editors: the grid, then the buttons, then the grid
// again. Disabled widgets are passed over.
void StepFocus(const std::vector<QWidget*>& cycle, QWidget* from, bool forward);

// The keys on an editor's button row: Enter and Space press the button, Esc
// closes the editor unsaved, Tab and Shift+Tab step round `cycle`.
KeyTable ButtonRowKeys(QDialog& editor, QPushButton* button, const std::vector<QWidget*>& cycle);

}  // namespace hanaki

#pragma once

class QWidget;

namespace hanaki {

// Keeps every input method out of `widget`, so that its keys arrive as keys.
// Qt asks a widget whether it takes an input method, and a line edit says yes
// even with WA_InputMethodEnabled off: the keys would go into a composition.
void SwitchInputMethodOff(QWidget* widget);

}  // namespace hanaki

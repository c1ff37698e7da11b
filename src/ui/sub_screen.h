#pragma once

class QWidget;

namespace hanaki {

// Shows a modeless screen in front of the window that opened it: centred over
// the opener the first time, raised and given the keyboard. When the screen
// closes, the opener's window takes the keyboard back, so that the user never
// has to reach for the mouse to find where they were.
void ShowInFrontOf(QWidget* screen, QWidget* opener);

// Shows a notice window and returns once it is drawn, for work that keeps the
// event loop busy after it; keys typed meanwhile wait for the work to end.
void ShowDrawnNow(QWidget* notice);

}  // namespace hanaki

#pragma once

class QWidget;

namespace hanaki {

// Shows a modeless screen in front of the window that opened it: centred over
// the opener the first time, raised and given the keyboard. When the screen
// closes, the opener's window takes the keyboard back, so that the user never
// has to reach for the mouse to find where they were.
void ShowInFrontOf(QWidget* screen, QWidget* opener);

// Has the window draw its focus frame from the start, not only once Tab or
// an arrow key has moved the focus: a keyboard-only user must always see
// where the keys go. ShowInFrontOf does this for every screen it shows.
void ShowFocusFrames(QWidget* window);

// Shows a notice window and returns once it is drawn, for work that keeps the
// event loop busy after it; keys typed meanwhile wait for the work to end.
void ShowDrawnNow(QWidget* notice);

}  // namespace hanaki

#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>

class QKeyEvent;

namespace hanaki {

// Shows a modeless screen in front of the window that opened it: centred over
// the opener the first time, raised and given the keyboard. When the screen
// closes, the opener's window takes the keyboard back, so that the user never
// has to reach for the mouse to find where they were.
void ShowInFrontOf(QWidget* screen, QWidget* opener);

// Each screen opens once: `make` builds it the first time (it is deleted when
// it closes), and while it is open it is only brought to the front.
void ShowOnce(QPointer<QWidget>& screen, QWidget* opener, const std::function<QWidget*()>& make);

// Has the window draw its focus frame from the start, not only once Tab or
// an arrow key has moved the focus: a keyboard-only user must always see
// where the keys go. ShowInFrontOf does this for every screen it shows.
void ShowFocusFrames(QWidget* window);

// Keys that act alike in every window of the program: Ctrl+Z (取り消し) and
// Ctrl+Y or Ctrl+Shift+Z (やり直し).
enum class SharedKey { Undo, Redo };
std::optional<SharedKey> SharedKeyOf(const QKeyEvent& key);

// From now on the shared keys pressed in any screen that ShowInFrontOf shows
// in front of `home` (or of a screen opened from it) go to `act`, with the
// window they were pressed in, before any control of that screen sees them.
// It ends with `home`.
void PassSharedKeysTo(QWidget* home, std::function<void(SharedKey, QWidget*)> act);

// Shows a notice window and returns once it is drawn, for work that keeps the
// event loop busy after it; keys typed meanwhile wait for the work to end.
void ShowDrawnNow(QWidget* notice);

}  // namespace hanaki

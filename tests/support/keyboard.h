#pragma once

#include <QApplication>
#include <QInputMethodEvent>
#include <QString>
#include <QTest>
#include <QWidget>

// The one keyboard of the GUI tests: every key is pressed and released as a
// keyboard does, shortcuts first; an input method commits its text whole.
namespace hanaki::testing {

// Shows a screen as the active window, so that keys reach the widget with the
// focus and the focus is shown.
inline void ShowActive(QWidget& screen) {
    screen.show();
    screen.activateWindow();
    QApplication::setActiveWindow(&screen);
    QCoreApplication::processEvents();
}

inline QWidget* Focused() {
    return QApplication::focusWidget();
}

// `text` for a key whose character is not its own (an input method left on).
inline void Press(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                  const QString& text = {}) {
    if (text.isEmpty())
        QTest::keyClick(widget, Qt::Key(key), modifiers);
    else
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(key), text, modifiers);
}
inline void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Press(Focused(), key, modifiers);
}

// A release alone, of a key whose press went to a window that has gone since.
inline void Release(QWidget* widget, int key) {
    QTest::keyRelease(widget, Qt::Key(key));
}

// One key per character; a character off the keyboard's ASCII keys comes as
// the text of an unknown key, as an input method left on sends it.
inline void TypeCharacter(QWidget* widget, char32_t c) {
    if (c < 0x80)
        QTest::keyClick(widget, static_cast<char>(c));
    else
        Press(widget, Qt::Key_unknown, Qt::NoModifier, QString::fromUcs4(&c, 1));
}
inline void Type(QWidget* widget, const QString& text) {
    for (char32_t c : text.toUcs4())
        TypeCharacter(widget, c);
}
// Each character to the widget that has the focus by then: the first may move it.
inline void Type(const QString& text) {
    for (char32_t c : text.toUcs4())
        TypeCharacter(Focused(), c);
}

// Text an input method commits, with `preedit` still being composed after it.
inline void Commit(QWidget* widget, const QString& text, const QString& preedit = {}) {
    QInputMethodEvent event(preedit, {});
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}
inline void Commit(const QString& text) {
    Commit(Focused(), text);
}

}  // namespace hanaki::testing

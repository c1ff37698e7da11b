#pragma once

#include <QString>
#include <functional>
#include <vector>

class QKeyEvent;

namespace hanaki {

// One key of a focus state: the keys, or the characters that stand for it,
// what the legend calls it, and what it does. A binding with `modifiers` needs
// them all held; list it before the same key without them.
struct KeyBinding {
    KeyBinding(std::vector<int> keys, const char* meaning, std::function<void()> action,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
        : keys(std::move(keys)),
          modifiers(modifiers),
          meaning(meaning),
          action(std::move(action)) {}
    // Characters that act as this key when typed or committed by an input
    // method (which sends "・" for the slash and "￥" for the backslash), in UTF-8.
    KeyBinding(const char* characters, const char* meaning, std::function<void()> action)
        : characters(QString::fromUtf8(characters)), meaning(meaning), action(std::move(action)) {}

    std::vector<int> keys;  // Qt::Key codes (Return and Enter both, say)
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    QString characters;
    const char* meaning;  // as the legend names it
    std::function<void()> action;
    // Acts when the key is let go, not held: for keys whose press belongs to
    // the window that was in front until then.
    bool onRelease = false;
};

// `binding`, acting on the key's release.
KeyBinding OnRelease(KeyBinding binding);

// Return and the keypad's Enter, which act alike in every table.
inline const std::vector<int> kEnterKeys{Qt::Key_Return, Qt::Key_Enter};

// The keys of one focus state and the legend line that names them.
struct KeyTable {
    const char* legend = "";
    std::vector<KeyBinding> keys;

    // Runs the action bound to `event`, a press or (for the OnRelease
    // bindings) a release; false when none is.
    bool Run(const QKeyEvent& event) const;
    // Runs the action of text committed by an input method when it is one of
    // a binding's characters; false when it is none.
    bool RunCommitted(const QString& text) const;
};

}  // namespace hanaki

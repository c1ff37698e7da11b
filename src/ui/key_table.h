#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class QKeyEvent;

namespace hanaki {

enum class SharedKey;  // ui/sub_screen.h

// One key of a focus state: the keys, or the characters that stand for it,
// the legend's words for it, and what it does. A binding with `modifiers`
// needs them all held; list it before the same key without them.
struct KeyBinding {
    KeyBinding(std::vector<int> keys, const char* legend, std::function<void()> action,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
        : keys(std::move(keys)), modifiers(modifiers), legend(legend), action(std::move(action)) {}
    // Characters that act as this key when typed or committed by an input
    // method (which sends "・" for the slash and "￥" for the backslash), in UTF-8.
    KeyBinding(const char* characters, const char* legend, std::function<void()> action)
        : characters(QString::fromUtf8(characters)), legend(legend), action(std::move(action)) {}
    // A key every window of the program shares (SharedKeyOf).
    KeyBinding(SharedKey shared, const char* legend, std::function<void()> action)
        : shared(shared), legend(legend), action(std::move(action)) {}

    std::vector<int> keys;  // Qt::Key codes (Return and Enter both, say)
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    QString characters;
    std::optional<SharedKey> shared;
    // The legend's item for this key, whole as the screen shows it ("<ESC>終了");
    // keys sharing an item ("<PageUp,Down>前日,翌日") each name it. "" for a key
    // the legend leaves out (Tab, the F-keys the buttons name).
    const char* legend;
    std::function<void()> action;
    // Acts when the key is let go, not held: for keys whose press belongs to
    // the window that was in front until then.
    bool onRelease = false;
};

// `binding`, acting on the key's release.
KeyBinding OnRelease(KeyBinding binding);

// A legend item whose key another rule of the screen takes (typed digits, or
// the Enter of the cell editor that Enter opens): named in the table, so that
// every item of the legend is found there. It never runs.
KeyBinding TakenElsewhere(const char* legend);

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
    // Where the legend and the bindings part: an item of the legend no binding
    // names, or a binding's item the legend lacks. Empty when they agree.
    QStringList LegendMismatches() const;
};

// A screen, or a part of one with keys of its own: the table its keys run
// from in the state it is in now, which names what its legend shows.
class KeysInForce {
  public:
    virtual ~KeysInForce() = default;
    virtual KeyTable KeysNow() = 0;
};

// The items of a legend as shown, each "<keys>words" up to the next item, a
// line break or a gap of two blanks (a note or a hint may follow).
QStringList LegendItems(const QString& legend);

}  // namespace hanaki

#include "ui/key_table.h"

#include <QKeyEvent>
#include <algorithm>

namespace hanaki {

KeyBinding OnRelease(KeyBinding binding) {
    binding.onRelease = true;
    return binding;
}

bool KeyTable::Run(const QKeyEvent& event) const {
    const QString text = event.text();
    auto bound = [&event, &text](const KeyBinding& binding) {
        const bool byKey = std::find(binding.keys.begin(), binding.keys.end(), event.key()) !=
                               binding.keys.end() &&
                           (event.modifiers() & binding.modifiers) == binding.modifiers;
        const bool byCharacter =
            text.size() == 1 && !binding.characters.isEmpty() && binding.characters.contains(text);
        return byKey || byCharacter;
    };
    const bool release = event.type() == QEvent::KeyRelease;
    for (const KeyBinding& binding : keys) {
        if (!bound(binding))
            continue;
        // A key held down acts once, when let go.
        if (binding.onRelease && event.isAutoRepeat())
            return true;
        if (binding.onRelease == release) {
            binding.action();
            return true;
        }
    }
    return false;
}

bool KeyTable::RunCommitted(const QString& text) const {
    for (const KeyBinding& binding : keys) {
        if (text.size() == 1 && !binding.characters.isEmpty() &&
            binding.characters.contains(text)) {
            binding.action();
            return true;
        }
    }
    return false;
}

}  // namespace hanaki

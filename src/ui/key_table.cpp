#include "ui/key_table.h"

#include <QKeyEvent>
#include <algorithm>

namespace hanaki {

bool KeyTable::Run(const QKeyEvent& event) const {
    const QString text = event.text();
    for (const KeyBinding& binding : keys) {
        const bool byKey = std::find(binding.keys.begin(), binding.keys.end(), event.key()) !=
                               binding.keys.end() &&
                           (event.modifiers() & binding.modifiers) == binding.modifiers;
        const bool byCharacter =
            text.size() == 1 && !binding.characters.isEmpty() && binding.characters.contains(text);
        if (byKey || byCharacter) {
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

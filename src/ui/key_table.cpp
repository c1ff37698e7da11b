#include "ui/key_table.h"

#include <QKeyEvent>
#include <algorithm>

#include "ui/sub_screen.h"

namespace hanaki {

KeyBinding OnRelease(KeyBinding binding) {
    binding.onRelease = true;
    return binding;
}

KeyBinding TakenElsewhere(const char* legend) {
    return {std::vector<int>{}, legend, [] {}};
}

bool KeyTable::Run(const QKeyEvent& event) const {
    const QString text = event.text();
    auto bound = [&event, &text](const KeyBinding& binding) {
        const bool byKey = std::find(binding.keys.begin(), binding.keys.end(), event.key()) !=
                               binding.keys.end() &&
                           (event.modifiers() & binding.modifiers) == binding.modifiers;
        const bool byCharacter =
            text.size() == 1 && !binding.characters.isEmpty() && binding.characters.contains(text);
        const bool shared = binding.shared && SharedKeyOf(event) == binding.shared;
        return byKey || byCharacter || shared;
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

QStringList KeyTable::LegendMismatches() const {
    const QStringList items = LegendItems(QString::fromUtf8(legend));
    QStringList named;
    for (const KeyBinding& binding : keys) {
        if (*binding.legend != '\0')
            named << QString::fromUtf8(binding.legend);
    }
    QStringList mismatches;
    for (const QString& item : items) {
        if (!named.contains(item))
            mismatches
                << QStringLiteral("the legend names %1, which no key of the table has").arg(item);
    }
    named.removeDuplicates();
    for (const QString& item : named) {
        if (!items.contains(item))
            mismatches << QStringLiteral("the legend leaves out the table's %1").arg(item);
    }
    return mismatches;
}

QStringList LegendItems(const QString& legend) {
    QStringList items;
    qsizetype start = legend.indexOf(u'<');
    while (start >= 0) {
        // The words begin after the key names and any blanks before them.
        qsizetype end = legend.indexOf(u'>', start);
        if (end < 0)
            end = legend.size();
        while (end + 1 < legend.size() && legend[end + 1] == u' ')
            ++end;
        qsizetype next = end + 1;
        while (next < legend.size() && legend[next] != u'<' && legend[next] != u'\n' &&
               !legend.mid(next).startsWith(QLatin1String("  ")))
            ++next;
        items << legend.mid(start, next - start).trimmed();
        start = legend.indexOf(u'<', next);
    }
    return items;
}

}  // namespace hanaki

#include "ui/help_key.h"

#include <QKeyEvent>
#include <QWidget>

#include "ui/help_window.h"
#include "ui/sub_screen.h"

namespace hanaki {

HelpKey::HelpKey(QStringList guidePlaces, std::vector<HelpSection> sections, QObject* parent)
    : QObject(parent), guidePlaces_(std::move(guidePlaces)), sections_(std::move(sections)) {}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
        !watched->isWidgetType())
        return false;
    QWidget* window = static_cast<QWidget*>(watched)->window();
    if (qobject_cast<HelpWindow*>(window) != nullptr)
        return false;  // the help's own F1
    auto* help = window->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (help == nullptr)
        help = new HelpWindow(guidePlaces_, window);
    help->ShowSection(AnchorFor(*window, *static_cast<QWidget*>(watched)));
    ShowInFrontOf(help, window);
    return true;
}

QString HelpKey::AnchorFor(const QWidget& window, const QWidget& focus) const {
    const HelpSection* found = nullptr;
    for (const HelpSection& section : sections_) {
        if (window.objectName() != QLatin1String(section.window) &&
            !window.inherits(section.window))
            continue;
        if (*section.control == '\0')
            found = &section;
        else if (focus.objectName() == QLatin1String(section.control))
            return QString::fromUtf8(section.anchor);
    }
    return found != nullptr ? QString::fromUtf8(found->anchor) : QString();
}

}  // namespace hanaki

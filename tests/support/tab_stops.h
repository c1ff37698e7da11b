#pragma once

#include <QApplication>
#include <QStringList>
#include <QWidget>

#include "support/keyboard.h"
#include "ui/focus_frame.h"

namespace hanaki::testing {

// Presses Tab `count` times from the control that has the focus and names
// each control reached; a control the focus frame does not surround is
// named "unframed:NAME".
inline QStringList FramedTabStops(QWidget& screen, int count) {
    const auto* frame = screen.findChild<FocusFrame*>();
    QStringList stops;
    for (int i = 0; i < count; ++i) {
        Press(Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        const QRect control(focused->mapTo(&screen, QPoint(0, 0)), focused->size());
        const bool framed = frame != nullptr && frame->isVisible() &&
                            frame->geometry().contains(control) &&
                            !control.contains(frame->geometry());
        stops << (framed ? QString() : QStringLiteral("unframed:")) + focused->objectName();
    }
    return stops;
}

}  // namespace hanaki::testing

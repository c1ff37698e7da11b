#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QStringList>
#include <QWidget>

#include "ui/focus_frame.h"

namespace hanaki::testing {

// Makes `screen` the active window, so that the focus moves and is shown.
inline void MakeActive(QWidget& screen) {
    screen.show();
    screen.activateWindow();
    QApplication::setActiveWindow(&screen);
    QCoreApplication::processEvents();
}

// Presses Tab `count` times from the control that has the focus and names
// each control reached; a control the focus frame does not surround is
// named "unframed:NAME".
inline QStringList FramedTabStops(QWidget& screen, int count) {
    const auto* frame = screen.findChild<FocusFrame*>();
    QStringList stops;
    for (int i = 0; i < count; ++i) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &tab);
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

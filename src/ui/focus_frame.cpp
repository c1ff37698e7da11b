#include "ui/focus_frame.h"

#include <QApplication>
#include <QPainter>

namespace hanaki {
namespace {

constexpr int kWidth = 2;  // drawn just outside the control, in the gap to its neighbours

}  // namespace

FocusFrame::FocusFrame(QWidget* screen) : QWidget(screen) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { Follow(now); });
}

void FocusFrame::Follow(QWidget* focused) {
    QWidget* screen = parentWidget();
    if (focused == nullptr || !screen->isAncestorOf(focused)) {
        hide();
        return;
    }
    const QRect control(focused->mapTo(screen, QPoint(0, 0)), focused->size());
    setGeometry(control.adjusted(-kWidth, -kWidth, kWidth, kWidth));
    raise();
    show();
}

void FocusFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Highlight), kWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(
        QRectF(rect()).adjusted(kWidth / 2.0, kWidth / 2.0, -kWidth / 2.0, -kWidth / 2.0));
}

}  // namespace hanaki

#include "moc_focus_frame.cpp"

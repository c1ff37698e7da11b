#include "ui/graph_canvas.h"

#include <QPainter>

#include "ui/painter_surface.h"

namespace hanaki {

GraphCanvas::GraphCanvas(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PainterSurface surface(painter, QRectF(rect()), TypeScale());
    surface.Clear();
    drawing_.ReplayOn(surface);
}

}  // namespace hanaki

#include "moc_graph_canvas.cpp"

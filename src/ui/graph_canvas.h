#pragma once

#include <QWidget>

#include "ui/graph_surface.h"

namespace hanaki {

// The widget a graph is drawn on: it keeps the drawing and paints it, type
// and all scaled to its own size, whenever the window system asks.
class GraphCanvas : public QWidget {
    Q_OBJECT
  public:
    explicit GraphCanvas(QWidget* parent);

    RecordingSurface& drawing() { return drawing_; }
    const RecordingSurface& drawing() const { return drawing_; }
    // The canvas's width over the full-size drawing's: type and pens grow by it.
    double TypeScale() const { return width() / kGraphDesignWidth; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    RecordingSurface drawing_;
};

}  // namespace hanaki

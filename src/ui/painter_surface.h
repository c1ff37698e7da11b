#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>

#include "ui/graph_surface.h"

class QPainter;

namespace hanaki {

// Paints graph shapes with a QPainter into `target`, the graphs' user scale
// stretched over it. Type and pens follow `fontScale`, the target's width over
// the width the sizes were given for, so that text keeps its place among the
// shapes at any size.
class PainterSurface : public GraphSurface {
  public:
    PainterSurface(QPainter& painter, const QRectF& target, double fontScale = 1.0);

    void Clear() override;
    void Line(GraphPoint from, GraphPoint to, GraphColour colour, LineStyle style,
              int pixels) override;
    void Box(GraphPoint a, GraphPoint b, GraphColour colour, LineStyle style) override;
    void FilledBox(GraphPoint a, GraphPoint b, GraphColour fill, GraphColour outline) override;
    void Polygon(const std::vector<GraphPoint>& corners, GraphColour fill,
                 GraphColour outline) override;
    void Circle(GraphPoint centre, double radius, GraphColour fill, GraphColour outline) override;
    void Wedge(GraphPoint centre, double radius, double fromDegrees, double spanDegrees,
               GraphColour fill, GraphColour outline) override;
    void Text(GraphPoint topLeft, const std::string& text, double points,
              GraphColour colour) override;
    void TextColumn(GraphPoint start, const std::vector<std::string>& lines, double gap,
                    double points, GraphColour colour) override;

    // Where TextColumn puts its lines, in the target's pixels.
    QRectF TextBounds(GraphPoint start, const std::vector<std::string>& lines, double gap,
                      double points) const;
    // The pixel a point of the drawing falls on.
    QPointF Exact(GraphPoint point) const;

    static QColor ToQColor(GraphColour colour) {
        return QColor(colour.red, colour.green, colour.blue);
    }

  private:
    // On a pixel's centre for a pen of odd width, on its corner for an even
    // one, so that lines stay sharp.
    QPointF Pixel(GraphPoint point, int penPixels = 1) const;
    QFont Font(double points) const;
    double GapPixels(double gap) const;
    double RadiusPixels(double radius) const;
    void SetPen(GraphColour colour, LineStyle style, int pixels = 1);

    QPainter& painter_;
    QRectF target_;
    double fontScale_;
};

}  // namespace hanaki

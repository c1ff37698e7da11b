#include "ui/painter_surface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

#include "ui/fonts.h"

namespace hanaki {

PainterSurface::PainterSurface(QPainter& painter, const QRectF& target, double fontScale)
    : painter_(painter), target_(target), fontScale_(fontScale) {
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
}

QPointF PainterSurface::Exact(GraphPoint point) const {
    const double x =
        target_.left() + (point.x - kGraphLeft) / (kGraphRight - kGraphLeft) * target_.width();
    const double y =
        target_.top() + (kGraphTop - point.y) / (kGraphTop - kGraphBottom) * target_.height();
    return {x, y};
}

QPointF PainterSurface::Pixel(GraphPoint point, int penPixels) const {
    const QPointF exact = Exact(point);
    if (penPixels % 2 == 0)
        return {std::round(exact.x()), std::round(exact.y())};
    return {std::floor(exact.x()) + 0.5, std::floor(exact.y()) + 0.5};
}

double PainterSurface::RadiusPixels(double radius) const {
    return radius / (kGraphRight - kGraphLeft) * target_.width();
}

void PainterSurface::SetPen(GraphColour colour, LineStyle style, int pixels) {
    QPen pen(ToQColor(colour));
    pen.setWidthF(pixels);
    pen.setStyle(style == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    painter_.setPen(pen);
}

void PainterSurface::Clear() {
    painter_.fillRect(target_, ToQColor(kGraphBackground));
}

void PainterSurface::Line(GraphPoint from, GraphPoint to, GraphColour colour, LineStyle style,
                          int pixels) {
    const int pen = std::max(1, static_cast<int>(std::lround(pixels * fontScale_)));
    SetPen(colour, style, pen);
    painter_.drawLine(Pixel(from, pen), Pixel(to, pen));
}

void PainterSurface::Box(GraphPoint a, GraphPoint b, GraphColour colour, LineStyle style) {
    SetPen(colour, style);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRectF(Pixel(a), Pixel(b)).normalized());
}

void PainterSurface::FilledBox(GraphPoint a, GraphPoint b, GraphColour fill, GraphColour outline) {
    SetPen(outline, LineStyle::Solid);
    painter_.setBrush(ToQColor(fill));
    painter_.drawRect(QRectF(Pixel(a), Pixel(b)).normalized());
}

void PainterSurface::Polygon(const std::vector<GraphPoint>& corners, GraphColour fill,
                             GraphColour outline) {
    QPolygonF polygon;
    for (GraphPoint corner : corners)
        polygon << Pixel(corner);
    SetPen(outline, LineStyle::Solid);
    painter_.setBrush(ToQColor(fill));
    painter_.drawPolygon(polygon);
}

void PainterSurface::Circle(GraphPoint centre, double radius, GraphColour fill,
                            GraphColour outline) {
    const double r = RadiusPixels(radius);
    SetPen(outline, LineStyle::Solid);
    painter_.setBrush(ToQColor(fill));
    painter_.drawEllipse(Exact(centre), r, r);
}

void PainterSurface::Wedge(GraphPoint centre, double radius, double fromDegrees, double spanDegrees,
                           GraphColour fill, GraphColour outline) {
    if (spanDegrees >= 360.0) {
        Circle(centre, radius, fill, outline);  // no radius line at the seam
        return;
    }
    const double r = RadiusPixels(radius);
    const QPointF c = Exact(centre);
    QPainterPath path(c);
    path.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), fromDegrees, spanDegrees);
    path.closeSubpath();
    SetPen(outline, LineStyle::Solid);
    painter_.setBrush(ToQColor(fill));
    painter_.drawPath(path);
}

void PainterSurface::Text(GraphPoint topLeft, const std::string& text, double points,
                          GraphColour colour) {
    TextColumn({topLeft.x, topLeft.y}, {text}, 0, points, colour);
}

QFont PainterSurface::Font(double points) const {
    QFont font = GothicFont(points);
    // Not rounded to an even size as the screens' type is: the gothic font's
    // advances stay exact halves and wholes at any pixel size.
    font.setPixelSize(std::max(2, static_cast<int>(std::lround(points * 96 / 72 * fontScale_))));
    return font;
}

double PainterSurface::GapPixels(double gap) const {
    return gap / (kGraphTop - kGraphBottom) * target_.height();
}

QRectF PainterSurface::TextBounds(GraphPoint start, const std::vector<std::string>& lines,
                                  double gap, double points) const {
    const QFontMetricsF metrics(Font(points));
    double width = 0;
    for (const std::string& line : lines)
        width = std::max(width, metrics.horizontalAdvance(QString::fromStdString(line)));
    const double height = static_cast<double>(lines.size()) * (GapPixels(gap) + metrics.height());
    return {Exact(start), QSizeF(width, height)};
}

void PainterSurface::TextColumn(GraphPoint start, const std::vector<std::string>& lines, double gap,
                                double points, GraphColour colour) {
    const QFont font = Font(points);
    painter_.setFont(font);
    painter_.setPen(ToQColor(colour));
    const QFontMetricsF metrics(font);
    QPointF top = Exact(start);
    for (const std::string& line : lines) {
        top.ry() += GapPixels(gap);
        painter_.drawText(QPointF(top.x(), top.y() + metrics.ascent()),
                          QString::fromStdString(line));
        top.ry() += metrics.height();
    }
}

}  // namespace hanaki

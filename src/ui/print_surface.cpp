#include "ui/print_surface.h"

#include <QPagedPaintDevice>
#include <QPen>
#include <cerrno>

namespace hanaki {
namespace {

// Rules as thin as a printer's pen, but never thinner than a screen shows.
constexpr int kRuleTwips = 8;

// The font a printout asks for, as the printer draws it.
QFont PrintFont(const QString& family, double points) {
    QFont font(family);
    font.setPointSizeF(points);
    // Widths counted in half-width cells hold only without kerning.
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

}  // namespace

PainterPrintSurface::PainterPrintSurface(QPagedPaintDevice& device, QString name)
    : device_(device), name_(std::move(name)), dotsPerTwip_(device.logicalDpiX() / 1440.0) {}

void PainterPrintSurface::SetFont(const QString& family, double points) {
    font_ = PrintFont(family, points);
    if (painter_.isActive())
        painter_.setFont(font_);
}

void PainterPrintSurface::Prepare() {
    if (!painter_.isActive() && !failed_) {
        failed_ = !painter_.begin(&device_);
        if (failed_)
            return;
        painter_.setPen(QPen(Qt::black, Device(kRuleTwips)));
        painter_.setFont(font_);
    }
    if (pagePending_ && painter_.isActive()) {
        pagePending_ = false;
        failed_ = !device_.newPage();
    }
}

void PainterPrintSurface::Text(int x, int y, const QString& text) {
    Prepare();
    if (!painter_.isActive())
        return;
    const QFontMetricsF metrics(font_, &device_);
    painter_.drawText(QPointF(Device(x), Device(y) + metrics.ascent()), text);
}

void PainterPrintSurface::Line(int x1, int y1, int x2, int y2) {
    Prepare();
    if (painter_.isActive())
        painter_.drawLine(QPointF(Device(x1), Device(y1)), QPointF(Device(x2), Device(y2)));
}

void PainterPrintSurface::NewPage() {
    pagePending_ = true;
}

IoResult PainterPrintSurface::End() {
    if (painter_.isActive() && !painter_.end())
        failed_ = true;
    if (failed_)
        return IoResult::Fail(IoStep::Write, EIO, name_.toStdString());
    return IoResult::Ok();
}

}  // namespace hanaki

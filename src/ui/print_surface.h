#pragma once

#include <QFont>
#include <QPainter>
#include <QString>

#include "data/disk/io_result.h"

class QPagedPaintDevice;

namespace hanaki {

// What a printout draws on: positions are in twips (1/1440 inch) from the
// top-left of the printable area, a text's position is the top of its line.
class PrintSurface {
  public:
    virtual ~PrintSurface() = default;
    virtual void SetFont(const QString& family, double points) = 0;
    virtual void Text(int x, int y, const QString& text) = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // The next drawing goes on a fresh page; a page asked for last is never made.
    virtual void NewPage() = 0;
    // Finishes the document; a failure names the file or printer.
    virtual IoResult End() = 0;
};

// Paints on a printer or a PDF writer.
class PainterPrintSurface : public PrintSurface {
  public:
    // `name` is what a failure reports: the printer's or the file's name.
    PainterPrintSurface(QPagedPaintDevice& device, QString name);

    void SetFont(const QString& family, double points) override;
    void Text(int x, int y, const QString& text) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void NewPage() override;
    IoResult End() override;

  private:
    // Starts the painter, or the page asked for, before anything is drawn.
    void Prepare();
    double Device(int twips) const { return twips * dotsPerTwip_; }

    QPagedPaintDevice& device_;
    QString name_;
    QPainter painter_;
    QFont font_;
    double dotsPerTwip_;
    bool pagePending_ = false;
    bool failed_ = false;
};

}  // namespace hanaki

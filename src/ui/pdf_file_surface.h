#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QPageLayout>
#include <QPdfWriter>
#include <string>
#include <string_view>

#include "data/disk/file_system.h"
#include "ui/print_surface.h"

namespace hanaki {

// The few millimetres a printer cannot reach, the same on a PDF and on paper,
// so that a printout looks alike from the dialog and from the command line.
inline constexpr QMarginsF kPrintoutMargins{5, 5, 5, 5};  // millimetres

// A4 portrait with the printout's margins.
QPageLayout DefaultPdfLayout();
// The paper and orientation a print dialog chose, with the printout's margins.
QPageLayout PrintoutLayout(const QPageLayout& chosen);

// True for "-", the file name that means standard output, and for
// /dev/stdout, which leads through /proc to a pipe or to the shell's open
// file, neither of which may be replaced.
bool IsStandardOutputName(const std::string& path);

// Draws a PDF in memory and, at the end, writes it crash-safely over `path`:
// the file is either the whole document or left as it was ("-": standard
// output).
class PdfFileSurface : public PrintSurface {
  public:
    PdfFileSurface(FileSystem& fs, std::string path, const QPageLayout& layout,
                   const QString& title);

    void SetFont(const QString& family, double points) override {
        painter_.SetFont(family, points);
    }
    void Text(int x, int y, const QString& text) override { painter_.Text(x, y, text); }
    void Line(int x1, int y1, int x2, int y2) override { painter_.Line(x1, y1, x2, y2); }
    void NewPage() override { painter_.NewPage(); }
    IoResult End() override;

  private:
    FileSystem& fs_;
    std::string path_;
    QByteArray bytes_;
    QBuffer buffer_;
    QPdfWriter writer_;
    PainterPrintSurface painter_;
};

}  // namespace hanaki

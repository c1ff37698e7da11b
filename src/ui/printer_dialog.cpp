#include "ui/printer_dialog.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include "ui/pdf_file_surface.h"

namespace hanaki {
namespace {

// A job on a real printer; the surface paints while the printer lives.
class PrinterJobSurface : public PrintSurface {
  public:
    explicit PrinterJobSurface(std::unique_ptr<QPrinter> printer)
        : printer_(std::move(printer)), painter_(*printer_, printer_->printerName()) {}

    void SetFont(const QString& family, double points) override {
        painter_.SetFont(family, points);
    }
    void Text(int x, int y, const QString& text) override { painter_.Text(x, y, text); }
    void Line(int x1, int y1, int x2, int y2) override { painter_.Line(x1, y1, x2, y2); }
    void NewPage() override { painter_.NewPage(); }
    IoResult End() override { return painter_.End(); }

  private:
    std::unique_ptr<QPrinter> printer_;
    PainterPrintSurface painter_;
};

}  // namespace

std::unique_ptr<PrintSurface> QtPrinterDialog::Choose(QWidget* parent,
                                                      const QString& documentName) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(documentName);
    printer->setCopyCount(1);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(folder).exists())  // a home without one
        folder = QDir::homePath();
    const QString pdfPath = QDir(folder).filePath(documentName + QStringLiteral(".pdf"));
    // Without a printer the PDF is the printout, and the dialog starts on it.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        printer->setOutputFileName(pdfPath);

    QPrintDialog dialog(printer.get(), parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // The dialog's own default for its PDF choice is the current folder.
    if (auto* fileName = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
        fileName->setText(pdfPath);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;

    // The dialog leaves Qt's own margins: the printout keeps its own.
    const QPageLayout layout = PrintoutLayout(printer->pageLayout());
    if (printer->outputFormat() == QPrinter::PdfFormat) {
        return std::make_unique<PdfFileSurface>(
            fs_, QFile::encodeName(printer->outputFileName()).toStdString(), layout, documentName);
    }
    printer->setPageLayout(layout);
    return std::make_unique<PrinterJobSurface>(std::move(printer));
}

}  // namespace hanaki

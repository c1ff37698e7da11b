#include "ui/printer_dialog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "ui/pdf_file_surface.h"
#include "ui/printer_choice.h"

namespace hanaki {
namespace {

// A job on a real printer; the surface paints while the printer lives.
class PrinterJobSurface : public PrintSurface {
  public:
    PrinterJobSurface(std::unique_ptr<QPagedPaintDevice> printer, const QString& name)
        : printer_(std::move(printer)), painter_(*printer_, name) {}

    void SetFont(const QString& family, double points) override {
        painter_.SetFont(family, points);
    }
    void Text(int x, int y, const QString& text) override { painter_.Text(x, y, text); }
    void Line(int x1, int y1, int x2, int y2) override { painter_.Line(x1, y1, x2, y2); }
    void NewPage() override { painter_.NewPage(); }
    IoResult End() override { return painter_.End(); }

  private:
    std::unique_ptr<QPagedPaintDevice> printer_;
    PainterPrintSurface painter_;
};

}  // namespace

QStringList PrintModulePlaces(const QString& programDir) {
    const QString name = QStringLiteral(HANAKI_PRINT_MODULE_NAME);
    return {QDir::cleanPath(programDir + QStringLiteral("/") + name),
            QDir::cleanPath(programDir + QStringLiteral("/" HANAKI_PRINT_MODULE_DIR "/") + name)};
}

QtPrinterDialog::QtPrinterDialog(FileSystem& fs, MessageService& messages, QStringList modulePlaces)
    : fs_(fs), messages_(messages), modulePlaces_(std::move(modulePlaces)) {}

std::unique_ptr<PrintSurface> QtPrinterDialog::Choose(QWidget* parent,
                                                      const QString& documentName) {
    for (const QString& place : modulePlaces_) {
        if (module_.isLoaded() || !QFileInfo::exists(place))
            continue;
        module_.setFileName(place);
        module_.load();
    }
    const auto choose = reinterpret_cast<ChoosePrinter>(module_.resolve(kChoosePrinterSymbol));
    if (choose == nullptr) {
        messages_.Inform(parent, QStringLiteral("印刷"),
                         QStringLiteral("印刷に使う部品 %1 を読み込めないため、印刷できません。\n"
                                        "hanaki をインストールし直してください。")
                             .arg(QStringLiteral(HANAKI_PRINT_MODULE_NAME)));
        return nullptr;
    }
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(folder).exists())  // a home without one
        folder = QDir::homePath();
    PrinterChoice choice;
    choose(parent, documentName, QDir(folder).filePath(documentName + QStringLiteral(".pdf")),
           choice);
    if (!choice.accepted)
        return nullptr;

    // The dialog leaves Qt's own margins: the printout keeps its own.
    const QPageLayout layout = PrintoutLayout(choice.layout);
    if (!choice.printer) {
        return std::make_unique<PdfFileSurface>(
            fs_, QFile::encodeName(choice.pdfPath).toStdString(), layout, documentName);
    }
    choice.printer->setPageLayout(layout);
    return std::make_unique<PrinterJobSurface>(std::move(choice.printer), choice.printerName);
}

}  // namespace hanaki

#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "ui/printer_choice.h"

extern "C" Q_DECL_EXPORT void HanakiChoosePrinter(QWidget* parent, const QString& documentName,
                                                  const QString& pdfPath,
                                                  hanaki::PrinterChoice& choice) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(documentName);
    printer->setCopyCount(1);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
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
        return;
    choice.accepted = true;
    choice.layout = printer->pageLayout();
    if (printer->outputFormat() == QPrinter::PdfFormat) {
        choice.pdfPath = printer->outputFileName();
    } else {
        choice.printerName = printer->printerName();
        choice.printer = std::move(printer);
    }
}

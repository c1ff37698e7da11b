#pragma once

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QString>
#include <memory>

class QWidget;

// Between the program and its print module, which alone links Qt's print
// support: the platform's printer dialog, loaded the first time a user prints.
namespace hanaki {

// What the user chose in the printer dialog.
struct PrinterChoice {
    bool accepted = false;
    QPageLayout layout;                          // the paper and orientation chosen
    QString pdfPath;                             // the dialog's PDF choice; empty for a printer
    std::unique_ptr<QPagedPaintDevice> printer;  // the printer to draw on
    QString printerName;
};

// Shows the dialog for one copy of the whole document `documentName`, its PDF
// choice offered as `pdfPath` (and chosen at first when there is no printer).
using ChoosePrinter = void (*)(QWidget* parent, const QString& documentName, const QString& pdfPath,
                               PrinterChoice& choice);
inline constexpr const char* kChoosePrinterSymbol = "HanakiChoosePrinter";

}  // namespace hanaki

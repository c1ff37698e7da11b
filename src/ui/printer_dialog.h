#pragma once

#include <QString>
#include <memory>

#include "data/file_system.h"
#include "ui/print_surface.h"

class QWidget;

namespace hanaki {

// Asks the user where a document goes, so that a test can answer for them.
class PrinterDialog {
  public:
    virtual ~PrinterDialog() = default;
    // One copy, the whole document. The surface to draw `documentName` on,
    // or nullptr when the user cancels.
    virtual std::unique_ptr<PrintSurface> Choose(QWidget* parent, const QString& documentName) = 0;
};

// The platform's printer dialog. Its PDF choice is offered as
// "documentName.pdf" in the user's documents folder (or home, without one)
// and written crash-safely.
class QtPrinterDialog : public PrinterDialog {
  public:
    explicit QtPrinterDialog(FileSystem& fs) : fs_(fs) {}
    std::unique_ptr<PrintSurface> Choose(QWidget* parent, const QString& documentName) override;

  private:
    FileSystem& fs_;
};

}  // namespace hanaki

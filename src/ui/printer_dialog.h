#pragma once

#include <QLibrary>
#include <QString>
#include <QStringList>
#include <memory>

#include "data/disk/file_system.h"
#include "ui/message_service.h"
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

// The print module's file, where a program in `programDir` looks for it:
// beside the program (the build tree, a portable copy), then where it is
// installed.
QStringList PrintModulePlaces(const QString& programDir);

// The platform's printer dialog, from the print module, loaded at the first
// print so that a program that does not print never loads Qt's print support.
// Its PDF choice is offered as "documentName.pdf" in the user's documents
// folder (or home, without one) and written crash-safely.
class QtPrinterDialog : public PrinterDialog {
  public:
    QtPrinterDialog(FileSystem& fs, MessageService& messages, QStringList modulePlaces);
    std::unique_ptr<PrintSurface> Choose(QWidget* parent, const QString& documentName) override;

  private:
    FileSystem& fs_;
    MessageService& messages_;
    QStringList modulePlaces_;
    QLibrary module_;  // never unloaded: a printer it made may still be printing
};

}  // namespace hanaki

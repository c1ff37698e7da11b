#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "ui/printer_dialog.h"

namespace hanaki::testing {

// Answers the printer dialog as the test says: cancel, or print onto `paper`.
class ScriptedPrinterDialog : public PrinterDialog {
  public:
    explicit ScriptedPrinterDialog(PrintSurface& paper) : paper_(paper) {}

    std::unique_ptr<PrintSurface> Choose(QWidget*, const QString& documentName) override {
        asked.push_back(documentName);
        if (cancel)
            return nullptr;
        return std::make_unique<Forwarding>(paper_);
    }

    bool cancel = false;
    std::vector<QString> asked;  // the document names the dialog was opened for

  private:
    // The screen owns what Choose returns; the test keeps the paper.
    class Forwarding : public PrintSurface {
      public:
        explicit Forwarding(PrintSurface& to) : to_(to) {}
        void SetFont(const QString& family, double points) override { to_.SetFont(family, points); }
        void Text(int x, int y, const QString& text) override { to_.Text(x, y, text); }
        void Line(int x1, int y1, int x2, int y2) override { to_.Line(x1, y1, x2, y2); }
        void NewPage() override { to_.NewPage(); }
        IoResult End() override { return to_.End(); }

      private:
        PrintSurface& to_;
    };

    PrintSurface& paper_;
};

}  // namespace hanaki::testing

#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "data/program_state.h"
#include "monthly/monthly_rows.h"
#include "monthly/monthly_table_controls.h"
#include "ui/key_table.h"
#include "ui/services.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace hanaki {

class PrinterDialog;

// What the monthly table asks of the main window.
struct MonthlyTableLink {
    // state.date names another month (or the table just opened): load it into
    // state.ledger and show it.
    std::function<void()> monthChanged;
    // Open ledger slot `slot` of the open month for correction on its day and row.
    std::function<void(int slot)> openForCorrection;
};

// F5 of the main window: every item of one accounting month with the running
// balance, to page through, print, or pick an item to correct.
class MonthlyTableScreen : public QWidget {
    Q_OBJECT
  public:
    MonthlyTableScreen(ProgramState& state, Services& services,
                       std::unique_ptr<PrinterDialog> printerDialog, MonthlyTableLink link,
                       QWidget* parent = nullptr);
    ~MonthlyTableScreen() override;

    // The open month's ledger changed elsewhere (an item stored or deleted on
    // the main window): the rows shown are collected again, so that the row
    // picked is the item shown.
    void Refresh();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Which control has the focus; only the key tables move it.
    enum class Focus { Table, Year, Month };

    KeyTable KeysOf(Focus focus);
    KeyTable TableKeys();
    KeyTable YearKeys();
    KeyTable MonthKeys();
    void EnterTable(int selectRow);
    void EnterField(Focus focus);
    void StepMonth(int delta);
    void StepYear(int delta);
    void RefreshMonth();
    void ShowDate();
    void FillGrid();
    void MoveSelection(int row);
    void KeepTopRow();
    void HandOffSelected();
    void Print();

    ProgramState& state_;
    Services& services_;
    std::unique_ptr<PrinterDialog> printerDialog_;
    MonthlyTableLink link_;
    const MonthlyTableSize& size_;

    MonthlyTableControls controls_;

    std::vector<MonthlyRow> rows_;  // the items shown, in grid order
    Focus focus_ = Focus::Table;
    int endRow_ = 2;            // the grid row after the last item
    int selectedPosition_ = 1;  // 1-based item row last selected
    int pressedKey_ = 0;        // a key acted on when released, pressed in this state
};

}  // namespace hanaki

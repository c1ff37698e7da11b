#pragma once

#include <QWidget>
#include <memory>

#include "data/program/program_state.h"
#include "monthly/monthly_rows.h"
#include "monthly/monthly_table_controls.h"
#include "ui/item_hand_off.h"
#include "ui/key_table.h"
#include "ui/services.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace hanaki {

class PrinterDialog;

// F5 of the main window: every item of one accounting month with the running
// balance, to page through, print, or pick an item to correct. The month is
// the table's own, read from its file; the main window's moves leave it be.
class MonthlyTableScreen : public QWidget, public KeysInForce {
    Q_OBJECT
  public:
    // Opens on accounting month (`year` since 1900, `month`); Enter hands the
    // picked item to `handOff`.
    MonthlyTableScreen(const ProgramState& state, Services& services,
                       std::unique_ptr<PrinterDialog> printerDialog, int year, int month,
                       ItemHandOff handOff, QWidget* parent = nullptr);
    KeyTable KeysNow() override;
    ~MonthlyTableScreen() override;

    // The month's file may have changed (an item stored or deleted elsewhere):
    // it is read again, and the item picked stays picked wherever its row is
    // now; when it was changed or deleted the table says so and picks none.
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
    // Reads the month's file; a file that cannot be read shows as an empty month.
    void ReadMonth();
    void FillGrid();
    void MoveSelection(int row);
    // The picked item went: no row is picked; the arrows pick again near `row`.
    void LosePick(int row);
    void KeepTopRow();
    void HandOffSelected();
    void Print();

    const ProgramState& state_;
    Services& services_;
    std::unique_ptr<PrinterDialog> printerDialog_;
    ItemHandOff handOff_;
    const MonthlyTableSize& size_;

    MonthlyTableControls controls_;

    int year_;  // the month shown: years since 1900
    int month_;
    MonthLedger ledger_;            // as its file holds it
    std::vector<MonthlyRow> rows_;  // the items shown, in grid order
    int warnedMonth_;               // year * 100 + month last told to have unreadable records
    Focus focus_ = Focus::Table;
    int endRow_ = 2;            // the grid row after the last item
    int selectedPosition_ = 1;  // 1-based item row last selected; 0: none (its item went)
    int lostRow_ = 1;           // where the item that went was shown
    int pressedKey_ = 0;        // a key acted on when released, pressed in this state
};

}  // namespace hanaki

#pragma once

#include <QTableWidget>
#include <array>

#include "data/book/day_view.h"
#include "data/formats/ledger.h"

namespace hanaki {

// The displayed day's items (MSFlexGrid1): one row per item with the running
// day balance, income rows tinted red and expense rows blue. Rows are picked
// for correction from the main window's keys; the grid itself takes no focus.
class DayGrid : public QTableWidget {
  public:
    static constexpr int kColumns = 7;
    // Widths of the normal layout, in twips.
    static constexpr std::array<int, kColumns> kColumnTwips{400,  1650, 1650, 1420,
                                                            1420, 1420, 6000};
    static constexpr int kVisibleRows = 15;

    DayGrid(double fontPoints, QWidget* parent);

    // The narrowest column widths that show their longest ordinary content
    // (a six-character name, an amount below ten million, a 38-byte
    // remark) whole.
    std::array<int, kColumns> ContentWidths() const;
    // Column widths in pixels; the grid sizes itself to show them and 15 rows.
    void Arrange(const std::array<int, kColumns>& widths, int rowHeight);

    // Fills the rows and scrolls so that the last ones are in sight.
    void Fill(const DayView& day, const MonthLedger& ledger);
    int filledRows() const { return filled_; }

    // Highlights row `row` (1-based) of the filled rows as the one picked.
    void Pick(int row);
    int pickedRow() const { return currentRow() + 1; }
    void ClearPick();

  private:
    void FillRow(int row, const LedgerRecord& record, const DayRow& item);

    double fontPoints_;
    int margin_;
    int filled_ = 0;
};

}  // namespace hanaki

#pragma once

#include "data/book/aggregation.h"
#include "data/book/day_view.h"
#include "data/program/program_state.h"
#include "entry/main_entry_controls.h"
#include "ui/services.h"

class QWidget;

namespace hanaki {

class ItemStore;

// The open month as the main window shows it: its ledger read from the folder,
// the displayed day's items, the date of the last entry, the month's totals
// (月計) and a category's total against its budget. It owns those figures, so
// what the window shows is always the month it has open.
class MonthView {
  public:
    MonthView(ProgramState& state, Services& services, ItemStore& store,
              const MainEntryControls& controls, QWidget* window);

    const DayView& day() const { return day_; }

    // Reads the month of state.date into state.ledger. A file that cannot be
    // read leaves the month empty and closed to input (until an item is begun
    // when it was its folder that was gone); records it could not read are
    // named once per month.
    void Reload();
    // The day of state.date in the grid, and the month's totals.
    void ShowDay();
    // The category's total this month, red when an expense is over its
    // budget, and the budget prorated to the displayed day.
    void ShowBudget(int category);

  private:
    ProgramState& state_;
    Services& services_;
    ItemStore& store_;
    const MainEntryControls& controls_;
    QWidget* window_;
    DayView day_;              // the displayed day's items and the insertion point
    MonthTotals monthTotals_;  // as 月計 shows them
    int warnedMonth_ = 0;      // year * 100 + month last warned about unreadable records
};

}  // namespace hanaki

#pragma once

#include <functional>

#include "data/program/program_state.h"
#include "entry/entry_field.h"
#include "entry/main_entry_controls.h"
#include "ui/key_table.h"

namespace hanaki {

// The main window's date: the heading and the year, month and day fields
// (they choose by PageUp and PageDown and take no typing). Their keys step
// state.date and tell the window what to show.
class DateFields {
  public:
    struct Link {
        // state.date changed: show it; `monthChanged`: load its month first.
        std::function<void(bool monthChanged)> dateChanged;
        std::function<void(EntryField field)> focus;
        // Esc in the year field; false when the user stays.
        std::function<bool()> confirmExit;
        // Enter in the day field: on to the entry fields.
        std::function<void()> enterItems;
    };

    DateFields(ProgramState& state, const MainEntryControls& controls, Link link);

    // Shows state.date as the user's calendar has it.
    void Show();

    // The previous or the next day, as PageUp and PageDown in the day field.
    void StepDay(bool forward);

    KeyTable YearKeys();
    KeyTable MonthKeys();
    KeyTable DayKeys();

  private:
    // Steps to `date` unless it leaves the 1950 … 2049 window of the files.
    void MoveTo(const CurrentDate& date, bool monthChanged);
    // To the first day of the month shown, loaded anew.
    void ShowFirstDay();

    ProgramState& state_;
    const MainEntryControls& controls_;
    Link link_;
};

}  // namespace hanaki

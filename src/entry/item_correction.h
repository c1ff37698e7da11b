#pragma once

#include <QObject>
#include <functional>
#include <optional>

#include "data/book/day_view.h"
#include "data/program/program_state.h"
#include "entry/correction.h"
#include "entry/entry_field.h"
#include "entry/main_entry_controls.h"
#include "ui/key_table.h"

namespace hanaki {

// Picking an item of the displayed day in the grid (訂正) and the correction
// it opens: the picked row and its number, the red title, and the grid held
// still while the item is open. EntryForm fills and stores the fields.
class ItemCorrection : public QObject {
    Q_OBJECT
  public:
    // `day` is the window's displayed day.
    ItemCorrection(const ProgramState& state, const MainEntryControls& controls, const DayView& day,
                   QObject* parent);

    bool active() const { return correction_.has_value(); }
    // The open correction; nullptr when none is.
    Correction* item() { return correction_ ? &*correction_ : nullptr; }
    // The amount shown is no longer the corrected item's own.
    void AmountEdited();

    // From the category field: the grid takes the keys, row `row` picked.
    void StartPick(int row);
    void MovePick(int row);
    void EndPick();
    // Opens the item of grid row `row`; nullptr when its record cannot be read.
    const Correction* Begin(int row);
    void End();
    // The grid row that holds ledger slot `slot`; 0 when none does.
    int RowOfSlot(int slot) const;
    // "訂 正 入 力 欄" in red, or the entry title.
    void ShowInputTitle(bool correction);

    // The keys of the grid; Enter chooses the picked row, Insert repeats its
    // item (`repeat` gets its ledger slot).
    KeyTable GridKeys(std::function<void(int slot)> repeat);

  signals:
    void moveFocus(EntryField field);
    // The picked row moved: the grid's legend depends on it.
    void pickMoved();
    void chosen(int row);

  private:
    const ProgramState& state_;
    const MainEntryControls& controls_;
    const DayView& day_;
    std::optional<Correction> correction_;
};

}  // namespace hanaki

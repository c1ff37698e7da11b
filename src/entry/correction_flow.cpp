// The main window's correction (訂正): picking an item of the day in the grid,
// opening it in the entry fields and deleting it.
#include <QLineEdit>

#include "entry/day_grid.h"
#include "entry/main_entry_screen.h"
#include "ui/byte_limited_field.h"

namespace hanaki {

void MainEntryScreen::StartPick(int row) {
    categoryField_->clear();
    SetInputTitle(true);
    FocusField(Field::Grid);
    MovePick(row);
}

void MainEntryScreen::MovePick(int row) {
    grid_->Pick(row);
    rowNumberField_->setText(QString::number(row));
    ShowLegend();
}

void MainEntryScreen::EndPick() {
    grid_->ClearPick();
    FocusField(Field::Category);
}

void MainEntryScreen::BeginCorrection(int row) {
    const int slot = day_.rows[row - 1].slot;
    correction_ = Correction::Of(state_.ledger.entries[slot].record, slot, row);
    if (!correction_)
        return;
    currentCategory_ = correction_->category;
    currentDescription_ = correction_->description;
    amountText_ = correction_->amountText;

    ClearInputFields();
    categoryField_->setText(correction_->categoryName);
    descriptionField_->setText(correction_->descriptionName);
    AmountFieldOfCategory()->setText(correction_->amount);
    remarkField_->setText(correction_->remark);
    grid_->setEnabled(false);
    FocusField(Field::Category);
}

void MainEntryScreen::OpenForCorrection(int slot) {
    MonthLedger& ledger = state_.ledger;
    if (!IsLinkedItem(ledger, slot))
        return;
    const std::optional<CivilDate> real =
        CalendarDateOfKey(kMonthEnd, ledger.entries[slot].record.date);
    if (!real)
        return;
    CloseEditors();
    if (correction_)
        EndCorrection();
    ClearInputFields();

    state_.date.day = real->day;  // the accounting day of the item
    ShowCurrentDate();
    ShowDay();
    int row = 0;
    for (std::size_t i = 0; i < day_.rows.size(); ++i) {
        if (day_.rows[i].slot == slot)
            row = static_cast<int>(i) + 1;
    }
    if (row == 0)
        return;
    StartPick(row);
    BeginCorrection(row);
    activateWindow();
}

void MainEntryScreen::EndCorrection() {
    correction_.reset();
    grid_->setEnabled(true);
    grid_->ClearPick();
    SetInputTitle(false);
}

void MainEntryScreen::DeleteCorrectedItem() {
    if (!services_.messages.Confirm(this, QStringLiteral("項目削除"),
                                    QStringLiteral("削除しますか？  <Enter>OK  <Esc>キャンセル")))
        return;
    const MonthLedger before = state_.ledger;
    UnlinkItem(state_.ledger, correction_->slot);
    EndCorrection();
    ClearInputFields();
    // Saving an empty month removes its file.
    SaveChange(before);
    ShowDay();
    FocusField(Field::Category);
}

}  // namespace hanaki

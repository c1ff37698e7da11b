#pragma once

#include <QObject>
#include <memory>
#include <optional>
#include <string>

#include "data/aggregation.h"
#include "data/day_view.h"
#include "data/program_state.h"
#include "entry/correction.h"
#include "entry/entry_field.h"
#include "entry/main_entry_controls.h"
#include "ui/services.h"

class QLineEdit;

namespace hanaki {

class EntryCalculator;

// The entry fields of the main window and what they store: a new item of the
// displayed day, the correction (訂正) of an item picked in the day grid, its
// deletion, and the carry-over into a new month. Each step says where the
// keys go next (moveFocus); the window's key tables call the steps.
class EntryForm : public QObject {
    Q_OBJECT
  public:
    // `day` and `monthTotals` are the window's displayed day and month sums.
    EntryForm(ProgramState& state, Services& services, const MainEntryControls& controls,
              const DayView& day, const MonthTotals& monthTotals, QWidget* window);
    ~EntryForm() override;

    bool correcting() const { return correction_.has_value(); }
    // The month's file could not be read: nothing may be added to it.
    void SetMonthUnreadable(bool unreadable) { monthUnreadable_ = unreadable; }

    // Entering the category and the description field: the guides, the row number, the title.
    void EnterCategoryField();
    void EnterDescriptionField();
    void AcceptCategory();
    void AcceptDescription();
    void AcceptAmount(QLineEdit* field);
    void LeaveAmount(QLineEdit* field);
    void LeaveRemark();
    void StoreItemFromFields();
    void ApplyTax(bool add);
    void OpenCalculator(QLineEdit* field);
    void CloseCalculator();
    // Typed or committed text of the number and amount fields; true: refused.
    bool RefuseNumber(QLineEdit* field, const QString& text);
    bool RefuseAmount(QLineEdit* field, const QString& text);
    void AmountEdited();
    void ClearInputFields();
    QLineEdit* AmountFieldOfCategory() const;

    // Picking an item of the day in the grid and correcting or deleting it.
    void StartPick(int row);
    void MovePick(int row);
    void EndPick();
    void BeginCorrection(int row);
    void EndCorrection();
    void DeleteCorrectedItem();
    // Picks and opens the day's row that holds ledger slot `slot`.
    void CorrectSlot(int slot);

    // A new month's first day: offers to carry the previous month's balance over.
    void CheckNewMonth();

  signals:
    void moveFocus(EntryField field);
    // The open month's file was written; the window shows the day anew.
    void ledgerSaved();
    // The save failed and memory went back to the disk's state.
    void ledgerRestored();
    void legendHint(const QString& hint);

  private:
    void ShowBudget(int category);
    void SetInputTitle(bool correction);
    bool MayAddItem();
    bool SaveChange(const MonthLedger& before);
    LedgerRecord RecordFromEntry(const std::string& remark) const;
    // After a category was chosen: the amount stays only in the field of its kind.
    void MoveAmountToFieldOfCategory();
    void FocusAmountField();

    ProgramState& state_;
    Services& services_;
    const MainEntryControls& controls_;
    const DayView& day_;
    const MonthTotals& monthTotals_;
    QWidget* window_;
    std::unique_ptr<EntryCalculator> calculator_;

    int currentCategory_ = 0;
    int currentDescription_ = 0;
    std::string amountText_;  // "+" or "-", then the amount field's text
    std::optional<Correction> correction_;
    bool monthUnreadable_ = false;
};

}  // namespace hanaki

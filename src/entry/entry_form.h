#pragma once

#include <QObject>
#include <memory>
#include <string>

#include "data/program/program_state.h"
#include "entry/entry_field.h"
#include "entry/main_entry_controls.h"
#include "ui/services.h"

class QLineEdit;

namespace hanaki {

class EntryCalculator;
class ItemCorrection;
class ItemStore;
class MonthView;
class RemarkCompleter;
class RemarkMemory;

// The entry fields of the main window and what they store: a new item of the
// displayed day, the correction (訂正) of an item picked in the day grid, its
// deletion, and the carry-over into a new month; the writes are ItemStore's,
// the picking ItemCorrection's. Each step says where the keys go next (moveFocus).
class EntryForm : public QObject {
    Q_OBJECT
  public:
    EntryForm(ProgramState& state, Services& services, ItemStore& store,
              const MainEntryControls& controls, MonthView& month, ItemCorrection& correction,
              RemarkMemory& memory, QWidget* window);
    ~EntryForm() override;

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
    void ClearInputFields();
    QLineEdit* AmountFieldOfCategory() const;

    RemarkCompleter& completer() { return *completer_; }
    int currentCategory() const { return currentCategory_; }
    // A key or a commit that is no digit in the category field: the item
    // starts from its remark, `text` typed into it; `asKeys`, a plain key
    // typed with the input method off, which stays off for the remark.
    void StartFromRemark(const QString& text, bool asKeys);
    // The item was begun from its remark and no category is chosen yet.
    bool fromRemark() const { return fromRemark_; }
    // Begun from its remark, the remark as shown is taken: the last item with
    // it fills category, description and amount (focus on the amount, which
    // typing replaces); a remark never booked leaves the category to be typed.
    void TakeRemark();
    // Tab or → in the remark field: the completion shown is taken, and an
    // item begun from its remark is filled from it. False when none is shown.
    bool AcceptCompletion();
    // A new item filled from the open month's slot `slot`, focus on the amount.
    void RepeatItem(int slot);
    // Ins again after a repeat: the nearest earlier item that differs from it.
    void RepeatEarlier();
    bool repeating() const { return repeated_ != 0; }
    // The slot a repeat in the category field fills from: the displayed day's
    // last item, or the last before that day; 0 when there is none.
    int ItemAbove() const;

    // Filling the fields with the item of grid row `row`, and deleting it.
    void BeginCorrection(int row);
    void DeleteCorrectedItem();
    // Picks and opens the day's row that holds ledger slot `slot`.
    void CorrectSlot(int slot);

    // A new month's first day: offers to carry the previous month's balance over.
    void CheckNewMonth();

  signals:
    void moveFocus(EntryField field);
    void legendHint(const QString& hint);

  private:
    // After a category was chosen: the amount stays only in the field of its kind.
    void MoveAmountToFieldOfCategory();
    void FocusAmountField();
    // Category, description and amount of a new item as an earlier one had
    // them, the amount selected; false when the master has lost its category.
    bool FillFrom(int category, int description, const std::string& amount);
    void EndFromRemark();

    ProgramState& state_;
    Services& services_;
    ItemStore& store_;
    const MainEntryControls& controls_;
    MonthView& month_;
    ItemCorrection& correction_;
    QWidget* window_;
    std::unique_ptr<EntryCalculator> calculator_;
    RemarkMemory& memory_;
    RemarkCompleter* completer_;
    bool fromRemark_ = false;
    int repeated_ = 0;  // the slot the new item repeats

    int currentCategory_ = 0;
    int currentDescription_ = 0;
    std::string amountText_;  // "+" or "-", then the amount field's text
};

}  // namespace hanaki

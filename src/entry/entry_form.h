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

// The entry fields of the main window and what they store: a new item of the
// displayed day, the correction (訂正) of an item picked in the day grid, its
// deletion, and the carry-over into a new month; the writes are ItemStore's,
// the picking ItemCorrection's. Each step says where the keys go next (moveFocus).
class EntryForm : public QObject {
    Q_OBJECT
  public:
    EntryForm(ProgramState& state, Services& services, ItemStore& store,
              const MainEntryControls& controls, MonthView& month, ItemCorrection& correction,
              QWidget* window);
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

    ProgramState& state_;
    Services& services_;
    ItemStore& store_;
    const MainEntryControls& controls_;
    MonthView& month_;
    ItemCorrection& correction_;
    QWidget* window_;
    std::unique_ptr<EntryCalculator> calculator_;

    int currentCategory_ = 0;
    int currentDescription_ = 0;
    std::string amountText_;  // "+" or "-", then the amount field's text
};

}  // namespace hanaki

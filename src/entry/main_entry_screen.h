#pragma once

#include <QString>
#include <QWidget>
#include <memory>

#include "data/program/program_state.h"
#include "entry/main_entry_controls.h"
#include "ui/item_hand_off.h"
#include "ui/services.h"

namespace hanaki {

class DateFields;
class EntryForm;
class EntryScreens;
class ItemCorrection;
class ItemStore;
class MainEntryKeys;
class MemoEditor;
class MonthView;
class RemarkMemory;

// The home window: one day of the current accounting month, its items and the
// month's totals, and the fields to enter an item. Its keys are MainEntryKeys',
// the open month's figures MonthView's, the date fields DateFields', the
// picking of an item ItemCorrection's, the entry fields' steps EntryForm's,
// the memo MemoEditor's, and the other screens come from EntryScreens.
class MainEntryScreen : public QWidget {
    Q_OBJECT
  public:
    MainEntryScreen(ProgramState& state, Services& services, EntryScreens& screens,
                    QWidget* parent = nullptr);
    ~MainEntryScreen() override;

    // The rest of a first argument "/T…": the title becomes prefix, ten blanks,
    // "( ", the standard title and " )".
    void SetTitlePrefix(const QString& prefix);

    // Loads the master and the settings (running the first-run steps when they
    // are missing), places today and shows the day. False: the program ends.
    bool StartUp();

    // Reloads the month of state.date (another screen changed its year and
    // month, or any month's items) and shows its date, the day and the month's
    // totals; the remarks offered are read again. An item begun or being
    // corrected on the old month is dropped.
    void ShowCurrentMonth();
    // Opens ledger slot `slot` of the open month for correction, as picking
    // its row in the day grid and pressing Enter does: its day is shown, its
    // row picked and the fields filled. A slot that holds no item is ignored.
    void OpenForCorrection(int slot);
    // The remarks of the last twelve months are read again when next asked for.
    void ReadRemarksAgain();
    // Shows the guide of the field that has the keys again (the master changed).
    void RefreshGuide();
    // Whether another window may change what this one shows: not while an
    // item is under way (the rule of F5 … F9), so that nothing typed is lost.
    // A refusal is told in front of `asker`.
    bool TakesHandOff(QWidget* asker);
    // Opens an item picked in another window for correction: its month is
    // read anew from its file and shown, the item found in it and opened.
    HandOffResult OpenItem(const PickedItem& item, QWidget* asker);
    // Opens the memo of a day picked in another window, as "/" does on that day.
    HandOffResult OpenDayMemo(const PickedMemo& memo, QWidget* asker);

    // The desktop session asks for what is typed: the open memo is saved and stays open.
    void SaveTyped();
    // The desktop session ends: the open memo is saved and closed and a
    // correction under way left, each as Esc does.
    void EndSession();

  signals:
    // An item of the open month was stored or deleted, and its file written.
    void ledgerChanged();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void ChangeDate(bool monthChanged);
    void GoToDayField();
    void PlaceTodayAgain();
    bool ConfirmExit();
    void OpenMemo();
    void OnMemoClosed();
    // Before another screen moves the day: the memo and the calculator close.
    void CloseEditors();
    // The open month, as it now stands, is what the remark memory knows of it.
    void RememberMonth();

    ProgramState& state_;
    Services& services_;
    EntryScreens& screens_;
    MainEntryControls controls_;
    std::unique_ptr<DateFields> dateFields_;
    std::unique_ptr<ItemStore> store_;
    std::unique_ptr<MonthView> month_;
    std::unique_ptr<RemarkMemory> memory_;
    std::unique_ptr<ItemCorrection> correction_;
    std::unique_ptr<EntryForm> form_;
    std::unique_ptr<MemoEditor> memo_;
    std::unique_ptr<MainEntryKeys> keys_;
};

}  // namespace hanaki

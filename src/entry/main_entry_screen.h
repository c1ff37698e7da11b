#pragma once

#include <QString>
#include <QWidget>
#include <memory>

#include "data/aggregation.h"
#include "data/day_view.h"
#include "data/program_state.h"
#include "entry/entry_field.h"
#include "entry/main_entry_controls.h"
#include "ui/key_table.h"
#include "ui/services.h"

class QKeyEvent;

namespace hanaki {

class DateFields;
class EntryForm;
class EntryScreens;
class ItemStore;
class MemoEditor;

// The home window: one day of the current accounting month, its items and the
// month's totals, and the fields to enter an item. It owns the day view and
// the month's sums and dispatches every key by focus state
// (main_entry_keys.cpp); the date fields' keys are DateFields', the entry
// fields' steps EntryForm's, the memo MemoEditor's, and the other screens
// come from EntryScreens.
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
    // month) and shows its date, the day and the month's totals. An item begun
    // or being corrected on the old month is dropped.
    void ShowCurrentMonth();
    // Opens ledger slot `slot` of the open month for correction, as picking
    // its row in the day grid and pressing Enter does: its day is shown, its
    // row picked and the fields filled. A slot that holds no item is ignored.
    void OpenForCorrection(int slot);
    // Shows the guide of the field that has the keys again (the master changed).
    void RefreshGuide();
    // Opens ledger slot `slot` of accounting month (year, month) as its file
    // holds it (a found item): the month is loaded anew, then the slot opened.
    void OpenItem(int year, int month, int slot);

  signals:
    // An item of the open month was stored or deleted, and its file written.
    void ledgerChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // main_entry_keys.cpp: the key table of each focus state
    KeyTable KeysOf(EntryField field);
    KeyTable CategoryKeys();
    KeyTable GridKeys();
    bool OnKey(QObject* watched, const QKeyEvent& key);
    bool OnCommit(QObject* watched, const QString& text);
    void ShowLegend();
    void ShowLegendHint(const QString& hint);
    // F5 … F8 open another screen only while no item is under way: in the date
    // fields, and in the category field unless an item is being corrected.
    bool FunctionKeysAllowed() const;
    void OnFunctionKey(int index);

    // main_entry_screen.cpp: the day, the month and the focus
    void FocusField(EntryField field);
    void ReloadMonth();
    void ShowDay();
    void ChangeDate(bool monthChanged);
    void GoToDayField();
    void PlaceTodayAgain();
    bool ConfirmExit();
    void OpenMemo();
    void OnMemoClosed();
    // Before another screen moves the day: the memo and the calculator close.
    void CloseEditors();

    ProgramState& state_;
    Services& services_;
    EntryScreens& screens_;
    MainEntryControls controls_;
    DayView day_;              // the displayed day's items and the insertion point
    MonthTotals monthTotals_;  // of the open month, as 月計 shows them
    std::unique_ptr<DateFields> dateFields_;
    std::unique_ptr<ItemStore> store_;
    std::unique_ptr<EntryForm> form_;
    std::unique_ptr<MemoEditor> memo_;
    EntryField field_ = EntryField::Day;
    int warnedMonth_ = 0;  // year * 100 + month last warned about unreadable records
};

}  // namespace hanaki

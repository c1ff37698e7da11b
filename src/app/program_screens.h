#pragma once

#include <QPointer>
#include <QWidget>

#include "data/program/program_state.h"
#include "entry/entry_screens.h"
#include "ui/amount_calculator.h"
#include "ui/services.h"

namespace hanaki {

// The screens the main window opens, as hanaki builds them: each opens once
// and comes to the front when its key is pressed again. An item picked in the
// monthly table or found is corrected on the main window, and a restore of
// the history redraws it, each only while it has no item under way. The fixed
// items that fell due are asked for once the window has started, again when
// a new day begins, and again after an undo or redo may have made them due.
class ProgramScreens : public EntryScreens {
  public:
    ProgramScreens(ProgramState& state, Services& services);

    // The main window has started: asks for the fixed items due, and from
    // now on at each new day.
    void StartedUp(MainEntryScreen& main);
    // Opens the window that asks for the fixed items due, when there are any
    // (one already open is built anew on the list as it now stands).
    void AskDueItems();

    bool RunFirstRunCategoryEditor(QWidget* window) override;
    bool RunFirstRunClosingDay(QWidget* window) override;
    void RunFirstRunCarryOver(QWidget* window) override;
    void Open(FunctionScreen screen, MainEntryScreen& main) override;
    bool UndoOrRedo(SharedKey key, QWidget* window) override;
    void RefuseUndoOrRedo(SharedKey key, QWidget* window) override;

  private:
    MakeAmountCalculator Calculator();
    // The statement import, one for both ways in (F10 and the settings menu).
    void OpenStatement(QWidget* opener, MainEntryScreen& main);

    ProgramState& state_;
    Services& services_;
    MainEntryScreen* main_ = nullptr;
    QPointer<QWidget> dueItems_;
    QPointer<QWidget> monthlyTable_;
    QPointer<QWidget> settingsMenu_;
    QPointer<QWidget> csvExport_;
    QPointer<QWidget> find_;
    QPointer<QWidget> statement_;
};

}  // namespace hanaki

#pragma once

#include <QPointer>
#include <QWidget>

#include "data/program/program_state.h"
#include "entry/entry_screens.h"
#include "ui/services.h"

namespace hanaki {

// The screens the main window opens, as hanaki builds them: each opens once
// and comes to the front when its key is pressed again. An item picked in the
// monthly table or found is corrected on the main window, and a restore of
// the history redraws it, each only while it has no item under way.
class ProgramScreens : public EntryScreens {
  public:
    ProgramScreens(ProgramState& state, Services& services);

    bool RunFirstRunCategoryEditor(QWidget* window) override;
    bool RunFirstRunClosingDay(QWidget* window) override;
    void RunFirstRunCarryOver(QWidget* window) override;
    void Open(FunctionScreen screen, MainEntryScreen& main) override;
    bool UndoOrRedo(SharedKey key, QWidget* window) override;
    void RefuseUndoOrRedo(SharedKey key, QWidget* window) override;

  private:
    // The statement import, one for both ways in (F10 and the settings menu).
    void OpenStatement(QWidget* opener, MainEntryScreen& main);

    ProgramState& state_;
    Services& services_;
    QPointer<QWidget> monthlyTable_;
    QPointer<QWidget> settingsMenu_;
    QPointer<QWidget> csvExport_;
    QPointer<QWidget> find_;
    QPointer<QWidget> statement_;
};

}  // namespace hanaki

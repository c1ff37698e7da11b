#pragma once

#include <QPointer>
#include <QWidget>

#include "data/program_state.h"
#include "entry/entry_screens.h"
#include "ui/services.h"

namespace hanaki {

// The screens the main window opens, as hanaki builds them: each opens once
// and comes to the front when its key is pressed again. The monthly table is
// tied to the main window both ways: its month becomes the window's, its
// picked item is corrected there, and it follows what the window stores.
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
    ProgramState& state_;
    Services& services_;
    QPointer<QWidget> monthlyTable_;
    QPointer<QWidget> settingsMenu_;
    QPointer<QWidget> csvExport_;
    QPointer<QWidget> find_;
};

}  // namespace hanaki

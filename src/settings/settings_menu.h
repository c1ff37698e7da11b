#pragma once

#include <QPointer>

#include "data/program_state.h"
#include "history/history_screen.h"
#include "ui/button_menu.h"
#include "ui/services.h"

namespace hanaki {

// 設定メニュー (F7): opens the category editor, the budget editor, the
// carry-over setting and the history of changes in front of itself.
class SettingsMenu : public ButtonMenu {
    Q_OBJECT
  public:
    // `mayRestore` is the history screen's: whether a restore may redraw the windows now.
    SettingsMenu(ProgramState& state, Services& services, QWidget* parent = nullptr,
                 HistoryScreen::MayRestore mayRestore = {});

  signals:
    // The category editor saved a new master; a guide already shown is stale.
    void categoriesSaved();
    // The history screen put files back; every screen should read them again.
    void historyRestored();

  private:
    ProgramState& state_;
    Services& services_;
    HistoryScreen::MayRestore mayRestore_;

    QPointer<QWidget> categoryEditor_;
    QPointer<QWidget> budgetEditor_;
    QPointer<QWidget> carryOverSetting_;
    QPointer<QWidget> historyScreen_;
};

}  // namespace hanaki

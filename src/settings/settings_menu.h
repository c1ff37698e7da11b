#pragma once

#include <QPointer>
#include <functional>

#include "data/program/program_state.h"
#include "ui/button_menu.h"
#include "ui/services.h"

namespace hanaki {

// 設定メニュー (F7): opens the category editor, the budget editor, the
// carry-over setting and the history of changes in front of itself, and
// switches the one-digit entry option.
class SettingsMenu : public ButtonMenu {
    Q_OBJECT
  public:
    // Builds the history of changes in front of the menu. The program
    // provides it, so that the menu knows no other screen's class.
    using OpenHistory = std::function<QWidget*(QWidget* menu)>;

    SettingsMenu(ProgramState& state, Services& services, QWidget* parent = nullptr,
                 OpenHistory openHistory = {});

  signals:
    // The category editor saved a new master; a guide already shown is stale.
    void categoriesSaved();

  private:
    // 1桁の番号で次へ: a one-digit category or description number moves on
    // without Enter; off by default, kept in the folder's entry options.
    static QString OneDigitCaption(bool on);
    void ToggleOneDigit();

    ProgramState& state_;
    Services& services_;
    OpenHistory openHistory_;

    QPointer<QWidget> categoryEditor_;
    QPointer<QWidget> budgetEditor_;
    QPointer<QWidget> carryOverSetting_;
    QPointer<QWidget> historyScreen_;
};

}  // namespace hanaki

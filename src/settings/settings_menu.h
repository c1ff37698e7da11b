#pragma once

#include <QPointer>
#include <functional>

#include "data/program/program_state.h"
#include "ui/button_menu.h"
#include "ui/services.h"

namespace hanaki {

// 設定メニュー (F7): opens the category editor, the budget editor, the
// carry-over setting, the history of changes and the fixed items in front
// of itself, and switches the one-digit entry option.
class SettingsMenu : public ButtonMenu {
    Q_OBJECT
  public:
    // Builds a screen of another folder in front of the menu (the history of
    // changes, the fixed items). The program provides them, so that the menu
    // knows no other screen's class.
    using OpenScreen = std::function<QWidget*(QWidget* menu)>;

    // Shows the statement import in front of the menu, or brings it to the front.
    using OpenStatement = std::function<void(QWidget* menu)>;

    SettingsMenu(ProgramState& state, Services& services, QWidget* parent = nullptr,
                 OpenScreen openHistory = {}, OpenScreen openFixedItems = {},
                 OpenStatement openStatement = {});

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
    OpenScreen openHistory_;
    OpenScreen openFixedItems_;
    OpenStatement openStatement_;

    QPointer<QWidget> categoryEditor_;
    QPointer<QWidget> budgetEditor_;
    QPointer<QWidget> carryOverSetting_;
    QPointer<QWidget> historyScreen_;
    QPointer<QWidget> fixedItems_;
};

}  // namespace hanaki

#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "data/program_state.h"
#include "ui/services.h"

class QDialog;
class QLabel;
class QPushButton;

namespace hanaki {

// 設定メニュー (F7): opens the category editor, the budget editor and the
// carry-over setting in front of itself.
class SettingsMenu : public QWidget {
    Q_OBJECT
  public:
    SettingsMenu(ProgramState& state, Services& services, QWidget* parent = nullptr);

  signals:
    // The category editor saved a new master; a guide already shown is stale.
    void categoriesSaved();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // 1, 2, 3: the screens in the order of the buttons.
    void Choose(int choice);
    // Shows the screen modeless; one already open is brought to the front instead.
    void Open(QPointer<QDialog>& screen, const std::function<QDialog*()>& make);

    ProgramState& state_;
    Services& services_;

    QPushButton* categoryButton_;
    QPushButton* budgetButton_;
    QPushButton* carryOverButton_;
    QLabel* legend_;

    QPointer<QDialog> categoryEditor_;
    QPointer<QDialog> budgetEditor_;
    QPointer<QDialog> carryOverSetting_;
};

}  // namespace hanaki

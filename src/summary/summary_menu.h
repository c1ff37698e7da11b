#pragma once

#include <QPointer>

#include "data/program/program_state.h"
#include "ui/button_menu.h"
#include "ui/services.h"

namespace hanaki {

// 集計メニュー (F6): opens the monthly summary, the twelve-month trend or the
// year summary in front of itself and stays open under them.
class SummaryMenu : public ButtonMenu {
    Q_OBJECT
  public:
    SummaryMenu(ProgramState& state, Services& services, QWidget* parent = nullptr);

  private:
    void OpenSummary();
    void OpenTrend();
    void OpenYearSummary();

    ProgramState& state_;
    Services& services_;

    QPointer<QWidget> summary_;
    QPointer<QWidget> trend_;
    QPointer<QWidget> yearSummary_;
};

// F6 of the main window: the menu in front of `opener`, or the one already open.
void OpenSummaryMenu(ProgramState& state, Services& services, QWidget* opener);

}  // namespace hanaki

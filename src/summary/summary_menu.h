#pragma once

#include <QPointer>
#include <QWidget>

#include "data/program_state.h"
#include "ui/services.h"

class QLabel;
class QPushButton;

namespace hanaki {

// 集計メニュー (F6): opens the monthly summary or the twelve-month trend in
// front of itself and stays open under them.
class SummaryMenu : public QWidget {
    Q_OBJECT
  public:
    SummaryMenu(ProgramState& state, Services& services, QWidget* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OpenSummary();
    void OpenTrend();
    void Open(QPointer<QWidget>& screen, QWidget* (SummaryMenu::*make)());
    QWidget* MakeSummary();
    QWidget* MakeTrend();

    ProgramState& state_;
    Services& services_;

    QPushButton* summaryButton_;
    QPushButton* trendButton_;
    QPushButton* yearButton_;
    QLabel* legend_;

    QPointer<QWidget> summary_;
    QPointer<QWidget> trend_;
};

// F6 of the main window: the menu in front of `opener`, or the one already open.
void OpenSummaryMenu(ProgramState& state, Services& services, QWidget* opener);

}  // namespace hanaki

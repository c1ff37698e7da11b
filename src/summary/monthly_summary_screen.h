#pragma once

#include <QPointer>
#include <QWidget>

#include "data/program_state.h"
#include "summary/summary_grid.h"
#include "summary/summary_table.h"
#include "ui/services.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace hanaki {

class GraphScreen;

// 月度集計: one accounting month by category, against the budgets, with the
// breakdown of the category under the cursor by description.
class MonthlySummaryScreen : public QWidget {
    Q_OBJECT
  public:
    MonthlySummaryScreen(ProgramState& state, Services& services, QWidget* opener);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class Focus { Year, Month, Grid };

    void BuildControls();
    void WriteCategoryColumns();
    void Enter(Focus focus);
    void ShowMonth();  // aggregates the shown month and rewrites the figures
    void ShowMonthlySummary();
    void FollowCursor();  // keeps the cursor on a category, fills the breakdown
    void OpenGraph(int selector);
    bool YearKey(QKeyEvent* key);
    bool MonthKey(QKeyEvent* key);
    bool GridKey(QKeyEvent* key);

    ProgramState& state_;
    Services& services_;
    SummaryScale scale_;
    SummaryLayout layout_;
    Focus focus_ = Focus::Month;
    int year_ = 0;  // years since 1900
    int month_ = 1;

    QLineEdit* yearField_;
    QLineEdit* monthField_;
    QLabel* yearMonthWords_;
    QLabel* title_;
    QTableWidget* categoryGrid_;
    QTableWidget* descriptionGrid_;
    QLabel* legend_;
    QLabel* unreadableNote_;
    QPushButton* graphButton_;
    QPointer<GraphScreen> graph_;
};

}  // namespace hanaki

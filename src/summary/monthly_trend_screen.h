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
class QTableWidgetItem;

namespace hanaki {

class GraphScreen;

// 月度推移: twelve accounting months side by side by category, and by
// description for the category under the cursor.
class MonthlyTrendScreen : public QWidget {
    Q_OBJECT
  public:
    MonthlyTrendScreen(ProgramState& state, Services& services, QWidget* opener);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class Focus { Year, Month, Grid };

    void BuildControls();
    void WriteCategoryList();
    void Enter(Focus focus);
    void ShowMonths();  // aggregates the twelve months and shows them by category
    void ShowTrendTable();
    void WriteMonthHeadings(const QString& corner);
    void WriteCell(int row, int column, const TrendCell& cell);
    void FollowCursor();  // keeps the cursor on a category, shows its descriptions
    void OpenGraph(int selector);
    void BackToMonth();
    bool YearKey(QKeyEvent* key);
    bool MonthKey(QKeyEvent* key);
    bool GridKey(QKeyEvent* key);

    ProgramState& state_;
    Services& services_;
    SummaryScale scale_;
    SummaryLayout layout_;
    Focus focus_ = Focus::Month;
    int year_ = 0;  // of the last of the twelve months, years since 1900
    int month_ = 1;
    double gridPoints_ = 11;

    QLabel* firstMonth_;
    QLabel* titleWords_;
    QLineEdit* yearField_;
    QLineEdit* monthField_;
    QTableWidget* categoryGrid_;
    QTableWidget* monthGrid_;
    QLabel* legend_;
    QLabel* unreadableNote_;
    QPushButton* graphButton_;
    QPointer<GraphScreen> graph_;
};

}  // namespace hanaki

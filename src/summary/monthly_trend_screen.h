#pragma once

#include <array>

#include "summary/summary_screen.h"

namespace hanaki {

// 月度推移: twelve accounting months side by side by category, and by
// description for the category under the cursor.
class MonthlyTrendScreen : public SummaryScreen {
    Q_OBJECT
  public:
    MonthlyTrendScreen(ProgramState& state, Services& services, QWidget* opener);

  private:
    void BuildControls();
    void Aggregate() override;
    void ShowByCategory() override;  // ShowTrendTable
    void ShowCategory(int category) override;
    void FillGraphFigures(GraphInput& input) const override;
    void WriteMonthHeadings(const QString& corner);
    void WriteCell(int row, int column, const TrendCell& cell);
    void MarkUnreadableMonths();

    double gridPoints_ = 11;
    bool byCategory_ = true;  // the month grid shows the categories, not a breakdown

    TrendTotals trend_;                       // of the twelve months shown
    std::array<bool, 12> unreadableMonth_{};  // by slot: its file could not be read

    QLabel* firstMonth_;
    QLabel* titleWords_;
    QTableWidget* monthGrid_;
};

}  // namespace hanaki

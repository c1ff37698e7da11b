#pragma once

#include "summary/summary_screen.h"

namespace hanaki {

// 年間集計: the twelve accounting months ending at the month shown, summed by
// category against twelve months' budgets, with each category's monthly
// average and the breakdown of the category under the cursor by description.
class YearSummaryScreen : public SummaryScreen {
    Q_OBJECT
  public:
    YearSummaryScreen(ProgramState& state, Services& services, QWidget* opener);

  private:
    void BuildControls();
    void WriteCategoryColumns();
    void Aggregate() override;
    void ShowByCategory() override;
    void ShowCategory(int category) override;
    void FillGraphFigures(GraphInput& input) const override;

    TrendTotals trend_;  // of the twelve months shown
    MonthTotals sums_;   // the twelve months summed

    QLabel* firstMonth_;
    QLabel* yearMonthWords_;
    QLabel* title_;
    QTableWidget* descriptionGrid_;
};

}  // namespace hanaki

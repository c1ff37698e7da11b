#pragma once

#include "summary/summary_screen.h"

namespace hanaki {

// 月度集計: one accounting month by category, against the budgets, with the
// breakdown of the category under the cursor by description.
class MonthlySummaryScreen : public SummaryScreen {
    Q_OBJECT
  public:
    MonthlySummaryScreen(ProgramState& state, Services& services, QWidget* opener);

  private:
    void BuildControls();
    void WriteCategoryColumns();
    void Aggregate() override;
    void ShowByCategory() override;  // ShowMonthlySummary
    void WriteCategoryLine(int row, const CategoryLine& line);
    void ShowCategory(int category) override;
    void FillGraphFigures(GraphInput& input) const override;

    MonthTotals totals_;  // of the month shown

    QLabel* yearMonthWords_;
    QLabel* title_;
    QTableWidget* descriptionGrid_;
};

}  // namespace hanaki

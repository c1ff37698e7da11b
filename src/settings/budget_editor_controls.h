#pragma once

#include <QSize>
#include <QString>
#include <array>

#include "data/book/budget_rows.h"
#include "ui/screen_metrics.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QWidget;

namespace hanaki {

class ByteLimitedField;

// "1,234,567" → "1234567": the editor gets the digits alone, so ten of them fit.
QString BudgetDigits(const QString& shown);
QString GroupedYen(long long value);

// The budget editor's controls, built and placed for one screen-size class.
struct BudgetEditorControls {
    BudgetEditorControls(QWidget* window, const QString& legendText);
    // Places the grids, legend and buttons; returns the window's size.
    QSize Place(ScreenSizeClass sizeClass);
    // Each category's number, name and past average in its row and tint, and
    // the totals of the averages.
    void ShowCategories(const CategoryTable& table, const BudgetRows& rows,
                        const std::array<long long, 21>& averages);
    // The budgets' totals of each block under them.
    void ShowBudgetSums(const BudgetRows& rows);
    // The flags beside the category rows, hidden beside the others.
    void ShowCheckBoxes(const BudgetRows& rows);

    QTableWidget* infoGrid;    // Grid1
    QTableWidget* budgetGrid;  // Grid2
    std::array<QCheckBox*, 21> checks{};
    ByteLimitedField* editor;   // Text1
    QLabel* legend;             // Label1
    QLabel* flagHeading;        // Label2
    QPushButton* saveButton;    // Command3
    QPushButton* reloadButton;  // Command2
    QPushButton* cancelButton;  // Command1
    int rowPixels = 0;
};

}  // namespace hanaki

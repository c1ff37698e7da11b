#pragma once

#include <QRect>
#include <QSize>

#include "monthly/monthly_table_grid.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QWidget;

namespace hanaki {

// The monthly table's controls, built and placed for one screen-size class.
struct MonthlyTableControls {
    MonthlyTableControls(QWidget* window, const MonthlyTableSize& size);
    // Places every control; returns the window's size.
    QSize Place(const MonthlyTableSize& size);
    // The month's totals under their columns in the legend's type, or smaller
    // down to what can be read; a total still too wide for its column pushes
    // those left of it further left, so that every figure stands whole.
    void ShowTotals(const QString& income, const QString& expense, const QString& balance);

    QLineEdit* yearField;      // Text1
    QLineEdit* monthField;     // Text2
    QLabel* dateCaption;       // Label1
    QTableWidget* grid;        // MSFlexGrid1
    QLabel* legend;            // Label2
    QLabel* incomeTotal;       // Label3
    QLabel* expenseTotal;      // Label4
    QLabel* balanceTotal;      // Label5
    QPushButton* printButton;  // Command1
    QLabel* pickNote;          // says why no row is picked

  private:
    QRect totalRooms_[3];  // under the income, expense and balance columns
};

}  // namespace hanaki

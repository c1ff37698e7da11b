#pragma once

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
    QSize Place(const MonthlyTableSize& size) const;

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
};

}  // namespace hanaki

#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <string>

#include "ui/row_tints.h"
#include "ui/screen_metrics.h"

class QLabel;
class QLineEdit;
class QTableWidget;
class QWidget;

namespace hanaki {

struct AggregationReport;

const QColor kOverBudgetRed(255, 0, 0);

// Positions and sizes in twips of the full-size layout, scaled to the screen's
// size class: left and width by fx, top and height by fy.
struct SummaryScale {
    ScreenSizeClass sizeClass = ScreenSizeClass::Full;
    double fx = 1;
    double fy = 1;

    int X(int twips) const;
    int Y(int twips) const;
    QFont Font(double points) const;
};
SummaryScale PickSummaryScale(const ScreenMetrics& metrics, double smallFy, double middleFx,
                              double middleFy);

// A grid whose heading row is its header: row 0 is the heading, rows 1 … 24 below.
QTableWidget* NewSummaryGrid(int columns, const QFont& font, int rowPixels, QWidget* parent);
// Rows 1 … `rows` below the heading, each with an empty item in every column.
void SetBodyRows(QTableWidget* grid, int rows);
void SetCell(QTableWidget* grid, int row, int column, const QString& text);
QString CellText(const QTableWidget* grid, int row, int column);
void TintCells(QTableWidget* grid, int firstRow, int lastRow, int firstColumn, int lastColumn,
               const QColor& colour);
// Takes the tints off every row of the columns but the heading.
void ResetTints(QTableWidget* grid, int firstColumn, int lastColumn);
// Empties every row of the columns but the heading: texts, colours, fonts, tooltips.
void ClearCells(QTableWidget* grid, int firstColumn, int lastColumn);
// A budget as ReadBudget shows it; one that is no number marked, its reason in the tooltip.
void SetBudgetCell(QTableWidget* grid, int row, int column, const std::string& shown, bool marked);
// The pixel width of the grid with its columns and frame.
int GridWidth(const QTableWidget* grid);
// FitCellsToColumns; when a widened column makes the grid scroll sideways,
// the grid grows by the scroll bar's height where the screen has room below
// it, so that no row goes out of sight.
void FitSummaryCells(QTableWidget* grid, int firstColumn, int lastColumn);

// A year or month field: shows a number, takes no typing at all.
QLineEdit* NewMonthField(const char* name, const QFont& font, QWidget* parent);

// What the figures leave out: a month file that cannot be read, or records
// that cannot be; empty when nothing.
QString AggregationNote(const AggregationReport& report);

}  // namespace hanaki

#pragma once

#include <QFont>
#include <QString>

class QLabel;
class QTableWidget;

// Smaller type where a figure would not fit, down to what can still be read
// (8 pixels): never a cut digit, sign or character.
namespace hanaki {

// `font`, or the largest smaller size of it that shows `text` within `width`
// pixels, but none below 8 pixels.
QFont FittingFont(const QFont& font, const QString& text, int width);
// The pixels a cell's text has in the column: its width less the text margins and the rule.
int CellTextRoom(const QTableWidget* grid, int column);
// Each body cell of the columns in the type that shows its text whole; a
// column whose text does not fit in readable type is widened to hold it.
void FitCellsToColumns(QTableWidget* grid, int firstColumn, int lastColumn);
// The label's text whole within its width, from the label's design font.
void FitLabel(QLabel* label, const QFont& font);
// The same for a label that wraps its text, whole within its width and height; a screen font.
void FitWrappedLabel(QLabel* label, const QFont& font);

}  // namespace hanaki

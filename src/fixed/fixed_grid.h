#pragma once

#include <span>

class QFont;
class QTableWidget;
class QWidget;

namespace hanaki {

struct GridColumn {
    const char* heading;  // UTF-8
    int twips;
};

// The grid of the fixed items' screens ("Grid1"), driven by the keyboard
// alone: cells are edited by the screen, Tab leaves the grid. On the smallest
// screens, whose type is smaller, the columns take four fifths of their width.
QTableWidget* NewKeyboardGrid(QWidget* parent, int rows, std::span<const GridColumn> columns,
                              const QFont& font, bool small);

}  // namespace hanaki

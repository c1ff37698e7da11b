#include "fixed/fixed_grid.h"

#include <QHeaderView>
#include <QTableWidget>

#include "ui/screen_metrics.h"

namespace hanaki {

QTableWidget* NewKeyboardGrid(QWidget* parent, int rows, std::span<const GridColumn> columns,
                              const QFont& font, bool small) {
    auto* grid = new QTableWidget(rows, static_cast<int>(columns.size()), parent);
    grid->setObjectName("Grid1");
    grid->setFont(font);
    grid->horizontalHeader()->setFont(font);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setTabKeyNavigation(false);
    QStringList headings;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        headings << QString::fromUtf8(columns[c].heading);
        grid->setColumnWidth(int(c), TwipsToPixels(columns[c].twips * (small ? 4 : 5) / 5));
    }
    grid->setHorizontalHeaderLabels(headings);
    return grid;
}

}  // namespace hanaki

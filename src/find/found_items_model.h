#pragma once

#include <QAbstractTableModel>

#include "data/formats/category_table.h"
#include "find/found_results.h"

namespace hanaki {

// The find screen's grid: date, 月度, category, description, 入金, 支出 and
// remark of each item found, and a line for each memo line found, in the
// order they were found. Rows are read back from the files as they are drawn.
class FoundItemsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Date, Month, Category, Description, Income, Expense, Remark, ColumnCount };

    FoundItemsModel(const CategoryTable& categories, const DataFolder& folder,
                    QObject* parent = nullptr);

    // Empties the grid for a search with closing day `closingDay`.
    void Clear(int closingDay);
    // Searches another month; its results show with the next ShowFound().
    void SearchMonth(int index, ItemTextMatch& match, std::vector<std::string>& problems);
    void ShowFound();
    // The data folder changed: every row is read anew, a changed one marked.
    void Reread();

    const FoundResults& results() const { return results_; }
    int count() const { return shown_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QString Text(int row, int column) const;

    const CategoryTable& categories_;
    FoundResults results_;
    int closingDay_ = 31;
    int shown_ = 0;
};

}  // namespace hanaki

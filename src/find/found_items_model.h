#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "data/book/ledger_search.h"
#include "data/formats/category_table.h"

namespace hanaki {

// The find screen's grid: date, category, description, 入金, 支出 and remark
// of each found item, in the order they were added. Holds the totals too.
class FoundItemsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Date, Category, Description, Income, Expense, Remark, ColumnCount };

    explicit FoundItemsModel(const CategoryTable& categories, QObject* parent = nullptr);

    void Clear();
    void Append(const std::vector<FoundItem>& items);
    const FoundItem& item(int row) const { return items_[static_cast<std::size_t>(row)]; }
    int count() const { return static_cast<int>(items_.size()); }
    double income() const { return income_; }
    double expense() const { return expense_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const CategoryTable& categories_;
    std::vector<FoundItem> items_;
    std::vector<bool> incomeRows_;
    double income_ = 0;
    double expense_ = 0;
};

}  // namespace hanaki

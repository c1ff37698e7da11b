#include "find/found_items_model.h"

#include "data/book/amount_format.h"
#include "data/formats/fixed_field.h"
#include "ui/text_codec.h"

namespace hanaki {

FoundItemsModel::FoundItemsModel(const CategoryTable& categories, QObject* parent)
    : QAbstractTableModel(parent), categories_(categories) {}

void FoundItemsModel::Clear() {
    beginResetModel();
    items_.clear();
    incomeRows_.clear();
    income_ = expense_ = 0;
    endResetModel();
}

void FoundItemsModel::Append(const std::vector<FoundItem>& items) {
    if (items.empty())
        return;
    const int first = count();
    beginInsertRows({}, first, first + static_cast<int>(items.size()) - 1);
    for (const FoundItem& item : items) {
        const bool income = IsIncomeItem(categories_, item);
        (income ? income_ : expense_) += static_cast<double>(item.numbers.amount);
        items_.push_back(item);
        incomeRows_.push_back(income);
    }
    endInsertRows();
}

int FoundItemsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

int FoundItemsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FoundItemsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count())
        return {};
    if (role == Qt::TextAlignmentRole) {
        const bool amount = index.column() == Income || index.column() == Expense;
        return QVariant::fromValue(Qt::AlignVCenter | (amount ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role != Qt::DisplayRole)
        return {};
    const FoundItem& found = item(index.row());
    const bool income = incomeRows_[static_cast<std::size_t>(index.row())];
    const QString amount =
        QString::fromStdString(FormatGrouped(static_cast<double>(found.numbers.amount)));
    switch (index.column()) {
        case Date:
            return QString::fromStdString(CalendarDateText(found.record.date));
        case Category:
            return FromCp932(TrimRight(found.record.categoryName));
        case Description:
            return FromCp932(TrimRight(found.record.descriptionName));
        case Income:
            return income ? amount : QString();
        case Expense:
            return income ? QString() : amount;
        case Remark:
            return FromCp932(TrimRight(found.record.remark));
        default:
            return {};
    }
}

QVariant FoundItemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    static const char* const headings[] = {"日  付", "費  目", "摘  要",
                                           "入  金", "支  出", "備  考"};
    return QString::fromUtf8(headings[section]);
}

}  // namespace hanaki

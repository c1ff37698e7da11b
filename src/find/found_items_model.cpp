#include "find/found_items_model.h"

#include "data/book/amount_format.h"
#include "data/book/ledger_search.h"
#include "data/formats/calendar.h"
#include "data/formats/fixed_field.h"
#include "ui/text_codec.h"

namespace hanaki {

FoundItemsModel::FoundItemsModel(const CategoryTable& categories, const DataFolder& folder,
                                 QObject* parent)
    : QAbstractTableModel(parent), categories_(categories), results_(folder) {}

void FoundItemsModel::Clear(int closingDay) {
    beginResetModel();
    results_.Clear(closingDay);
    closingDay_ = closingDay;
    shown_ = 0;
    endResetModel();
}

void FoundItemsModel::SearchMonth(int index, ItemTextMatch& match,
                                  std::vector<std::string>& problems) {
    results_.SearchMonth(index, match, categories_, problems);
}

void FoundItemsModel::ShowFound() {
    const int found = static_cast<int>(results_.size());
    if (found == shown_)
        return;
    beginInsertRows({}, shown_, found - 1);
    shown_ = found;
    endInsertRows();
}

void FoundItemsModel::Reread() {
    results_.ForgetReadBack();
    if (shown_ > 0)
        emit dataChanged(index(0, 0), index(shown_ - 1, ColumnCount - 1));
}

int FoundItemsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

int FoundItemsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString FoundItemsModel::Text(int row, int column) const {
    const std::optional<FoundRow> found = results_.Read(static_cast<std::size_t>(row));
    if (!found) {
        const AccountingMonth month = results_.MonthOf(static_cast<std::size_t>(row));
        if (column == Month)
            return QString::asprintf("%04d/%02d", month.year, month.month);
        return column == Remark ? QStringLiteral("（この項目は検索の後に変更されました）")
                                : QString();
    }
    if (column == Month)
        return QString::asprintf("%04d/%02d", found->year, found->month);
    if (found->memo()) {
        if (column == Date) {
            const CivilDate date =
                RealDate(closingDay_, CurrentDate{found->year - 1900, found->month, found->day});
            return QString::asprintf("%04d/%02d/%02d", date.year, date.month, date.day);
        }
        return column == Category ? QStringLiteral("メモ")
               : column == Remark ? FromCp932(found->bytes)
                                  : QString();
    }
    const RecordFields fields{found->bytes, ReadLedgerRecord(found->bytes).value_or(ItemNumbers{})};
    const bool income = IsIncomeItem(categories_, fields.numbers.category, fields.amount());
    switch (column) {
        case Date:
            return QString::fromStdString(CalendarDateText(fields.bytes.substr(0, 6), found->year));
        case Category:
            return FromCp932(TrimRight(fields.categoryName()));
        case Description:
            return FromCp932(TrimRight(fields.descriptionName()));
        case Income:
        case Expense:
            return income == (column == Income) ? QString::fromStdString(FormatGrouped(
                                                      static_cast<double>(fields.numbers.amount)))
                                                : QString();
        case Remark:
            return FromCp932(TrimRight(fields.remark()));
        default:
            return {};
    }
}

QVariant FoundItemsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shown_)
        return {};
    if (role == Qt::TextAlignmentRole) {
        const bool amount = index.column() == Income || index.column() == Expense;
        return QVariant::fromValue(Qt::AlignVCenter | (amount ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role != Qt::DisplayRole)
        return {};
    return Text(index.row(), index.column());
}

QVariant FoundItemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    static const char* const headings[] = {"日  付", "月  度", "費  目", "摘  要",
                                           "入  金", "支  出", "備  考"};
    return QString::fromUtf8(headings[section]);
}

}  // namespace hanaki

#include "moc_found_items_model.cpp"

#include "entry/day_grid.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

#include "data/book/amount_format.h"
#include "data/formats/fixed_field.h"
#include "ui/cell_margin_delegate.h"
#include "ui/fonts.h"
#include "ui/row_tints.h"
#include "ui/text_codec.h"

namespace hanaki {
namespace {

constexpr const char* kHeadings[DayGrid::kColumns] = {"",       "費  目", "摘  要",      "入  金",
                                                      "支  出", "日  計", "備        考"};
constexpr int kInitialRows = 29;
constexpr std::size_t kWideRemarkBytes = 38;
// Big amounts and long remarks are drawn at this share of the normal size.
constexpr double kSmallFontShare = 0.7;

bool IsBig(long long amount) {
    return amount >= 10'000'000 || amount < -999'999;
}

QString ShownText(const std::string& field) {
    return FromCp932(TrimRight(field));
}

}  // namespace

DayGrid::DayGrid(double fontPoints, QWidget* parent)
    : QTableWidget(kInitialRows, kColumns, parent), fontPoints_(fontPoints) {
    setObjectName("MSFlexGrid1");
    setFont(GothicFont(fontPoints_));
    horizontalHeader()->setFont(GothicFont(fontPoints_));
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QStringList headings;
    for (const char* heading : kHeadings)
        headings << QString::fromUtf8(heading);
    setHorizontalHeaderLabels(headings);
    // Two thirds of a half-width character keep "249,550" clear of the remark after it.
    margin_ = QFontMetrics(font()).horizontalAdvance(u'0') * 2 / 3 + 1;
    setItemDelegate(new CellMarginDelegate(margin_, this));
}

std::array<int, DayGrid::kColumns> DayGrid::ContentWidths() const {
    const QFontMetrics metrics(font());
    auto width = [&](const QString& text) { return metrics.horizontalAdvance(text) + margin_ + 1; };
    const int amount = width(QStringLiteral("9,999,999"));  // larger ones are drawn smaller
    const int name = width(QString(6, u'費'));
    return {width(QStringLiteral("999")),          name, name, amount, amount, amount,
            width(QString(kWideRemarkBytes, u'x'))};
}

void DayGrid::Arrange(const std::array<int, kColumns>& widths, int rowHeight) {
    int total = 0;
    for (int i = 0; i < kColumns; ++i) {
        setColumnWidth(i, widths[i]);
        total += widths[i];
    }
    horizontalHeader()->setFixedHeight(rowHeight + 2);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    const int frame = 2 * frameWidth();
    resize(total + frame + verticalScrollBar()->sizeHint().width(),
           rowHeight + 2 + kVisibleRows * rowHeight + frame);
}

void DayGrid::Fill(const DayView& day, const MonthLedger& ledger) {
    filled_ = static_cast<int>(day.rows.size());
    clearContents();
    clearSelection();
    setRowCount(std::max(kInitialRows, filled_));
    for (int row = 0; row < rowCount(); ++row) {
        auto* number = new QTableWidgetItem(QString::number(row + 1));
        number->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        number->setBackground(palette().button());
        setItem(row, 0, number);
    }
    for (int row = 0; row < filled_; ++row)
        FillRow(row, ledger.entries[day.rows[row].slot].record, day.rows[row]);

    // The scroll range follows the new row count only once the view has laid it out.
    updateGeometries();
    // The row the next item takes is in sight too, while the grid has it.
    const int nextRow = filled_ + 1;
    const int topRow = nextRow > kVisibleRows ? nextRow - (kVisibleRows - 1) : 1;
    verticalScrollBar()->setValue(topRow - 1);
}

void DayGrid::FillRow(int row, const LedgerRecord& record, const DayRow& item) {
    const QFont smallGothic = GothicFont(fontPoints_ * kSmallFontShare);
    auto put = [&](int column, const QString& text, Qt::Alignment alignment) {
        auto* cell = new QTableWidgetItem(text);
        cell->setTextAlignment(alignment | Qt::AlignVCenter);
        cell->setBackground(item.expense ? kExpenseTint : kIncomeTint);
        setItem(row, column, cell);
        return cell;
    };
    put(1, ShownText(record.categoryName), Qt::AlignLeft);
    put(2, ShownText(record.descriptionName), Qt::AlignLeft);
    const QString amount =
        QString::fromStdString(FormatGroupedBlankZero(static_cast<double>(item.amount)));
    QTableWidgetItem* income = put(3, item.expense ? QString() : amount, Qt::AlignRight);
    QTableWidgetItem* spent = put(4, item.expense ? amount : QString(), Qt::AlignRight);
    if (IsBig(item.amount))
        (item.expense ? spent : income)->setFont(smallGothic);
    QTableWidgetItem* balance =
        put(5, QString::fromStdString(FormatGrouped(static_cast<double>(item.balance))),
            Qt::AlignRight);
    if (IsBig(item.balance))
        balance->setFont(smallGothic);
    const std::string remark = TrimRight(record.remark);
    QTableWidgetItem* remarkCell = put(6, FromCp932(remark), Qt::AlignLeft);
    if (remark.size() > kWideRemarkBytes)
        remarkCell->setFont(
            ScreenFont(QString::fromUtf8(kTerminal), fontPoints_ * kSmallFontShare));
}

void DayGrid::Pick(int row) {
    clearSelection();
    setRangeSelected(QTableWidgetSelectionRange(row - 1, 1, row - 1, kColumns - 1), true);
    setCurrentCell(row - 1, 1, QItemSelectionModel::NoUpdate);
    scrollToItem(item(row - 1, 1));
}

void DayGrid::ClearPick() {
    clearSelection();
}

}  // namespace hanaki

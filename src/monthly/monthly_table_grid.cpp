#include "monthly/monthly_table_grid.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>

#include "data/book/amount_format.h"
#include "data/formats/fixed_field.h"
#include "ui/fitting_font.h"
#include "ui/fonts.h"
#include "ui/row_tints.h"
#include "ui/text_codec.h"

namespace hanaki {
namespace {

constexpr MonthlyTableSize kSizes[] = {
    {ScreenSizeClass::Small, {301, 482, 850, 874, 4014}, 7.8, 8, 6},
    {ScreenSizeClass::Middle, {390, 609, 1073, 1104, 5070}, 9, 9, 7},
    {ScreenSizeClass::Full, {450, 721, 1270, 1307, 6000}, 12, 12, 9},
};

constexpr int kDateColumn = 1, kCategoryColumn = 2, kDescriptionColumn = 3,
              kIncomeColumn = kMonthlyIncomeColumn, kExpenseColumn = kMonthlyExpenseColumn,
              kBalanceColumn = kMonthlyBalanceColumn, kRemarkColumn = 7;
constexpr int kMinimumGridRows = 30;  // with the heading row
constexpr int kSmallRemarkBytes = 47;

QString Shown(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// The running numbers in the row heading, 1000 in the type that shows it whole.
void FitRowNumbers(QTableWidget* grid) {
    const QHeaderView* header = grid->verticalHeader();
    const int room = header->width() -
                     2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    for (int r = 0; r < grid->rowCount(); ++r) {
        QTableWidgetItem* number = grid->verticalHeaderItem(r);
        if (number != nullptr &&
            QFontMetrics(header->font()).horizontalAdvance(number->text()) > room)
            number->setFont(FittingFont(header->font(), number->text(), room));
    }
}

}  // namespace

const MonthlyTableSize& MonthlyTableSizeOf(ScreenSizeClass sizeClass) {
    return kSizes[static_cast<int>(sizeClass)];
}

QTableWidget* NewMonthlyGrid(const QFont& font, QWidget* parent) {
    auto* grid = new QTableWidget(kMinimumGridRows - 1, kMonthlyColumnCount - 1, parent);
    grid->setObjectName("MSFlexGrid1");
    grid->setFont(font);
    grid->horizontalHeader()->setFont(font);
    grid->verticalHeader()->setFont(font);
    grid->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setTabKeyNavigation(false);
    // A figure too wide for its column in readable type widens the column.
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    grid->setWordWrap(false);
    grid->setTextElideMode(Qt::ElideNone);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setMinimumSectionSize(1);
    return grid;
}

std::array<int, kMonthlyColumnCount + 1> SetMonthlyColumnWidths(QTableWidget* grid,
                                                                const MonthlyTableSize& size) {
    std::array<int, kMonthlyColumnCount> widths{};
    widths[0] = size.columns[0];
    widths[1] = size.columns[1];
    widths[2] = widths[3] = size.columns[2];
    widths[4] = widths[5] = widths[6] = size.columns[3];
    widths[7] = size.columns[4];
    std::array<int, kMonthlyColumnCount + 1> columnX{};
    for (int i = 0; i < kMonthlyColumnCount; ++i)
        columnX[i + 1] = columnX[i] + TwipsToPixels(widths[i]);
    grid->verticalHeader()->setFixedWidth(TwipsToPixels(widths[0]));
    for (int i = 1; i < kMonthlyColumnCount; ++i)
        grid->setColumnWidth(i - 1, TwipsToPixels(widths[i]));
    return columnX;
}

void FillMonthlyGrid(QTableWidget* grid, const std::vector<MonthlyRow>& rows,
                     const MonthlyTableSize& size) {
    const int items = static_cast<int>(rows.size());
    grid->clearContents();
    grid->setRowCount(std::max(kMinimumGridRows, items + 1) - 1);
    grid->setHorizontalHeaderLabels({QStringLiteral("月 日"), QStringLiteral("費  目"),
                                     QStringLiteral("摘  要"), QStringLiteral("入  金"),
                                     QStringLiteral("支  出"), QStringLiteral("残  金"),
                                     QStringLiteral("備        考")});
    QStringList numbers;
    for (int r = 0; r < grid->rowCount(); ++r)
        numbers << (r < items ? QString::number(r + 1) : QString());
    grid->setVerticalHeaderLabels(numbers);
    FitRowNumbers(grid);
    grid->verticalScrollBar()->setValue(0);
    grid->setUpdatesEnabled(false);
    const QFont remarkFont = GothicFont(size.remarkPoints);
    const QFont smallRemarkFont = GothicFont(size.smallRemarkPoints);
    for (int r = 0; r < items; ++r) {
        const MonthlyRow& row = rows[r];
        auto put = [&](int column, const QString& text, Qt::Alignment alignment) {
            auto* item = new QTableWidgetItem(text);
            item->setTextAlignment(alignment);
            item->setBackground(row.income ? kIncomeTint : kExpenseTint);
            grid->setItem(r, column - 1, item);
            return item;
        };
        put(kDateColumn, Shown(TableDate(row.calendarDate)), Qt::AlignHCenter | Qt::AlignTop);
        // Without the blanks that fill the record's field: they would be measured as text.
        put(kCategoryColumn, FromCp932(TrimRight(row.record.categoryName)),
            Qt::AlignLeft | Qt::AlignVCenter);
        put(kDescriptionColumn, FromCp932(TrimRight(row.record.descriptionName)),
            Qt::AlignLeft | Qt::AlignVCenter);
        const QString amount = Shown(FormatGroupedBlankZero(static_cast<double>(row.amount)));
        put(kIncomeColumn, row.income ? amount : QString(), Qt::AlignRight | Qt::AlignVCenter);
        put(kExpenseColumn, row.income ? QString() : amount, Qt::AlignRight | Qt::AlignVCenter);
        put(kBalanceColumn, Shown(FormatGrouped(static_cast<double>(row.balance))),
            Qt::AlignRight | Qt::AlignVCenter);
        const bool longRemark = TrimRight(row.record.remark).size() >= kSmallRemarkBytes;
        put(kRemarkColumn, FromCp932(row.record.remark), Qt::AlignLeft | Qt::AlignVCenter)
            ->setFont(longRemark ? smallRemarkFont : remarkFont);
    }
    // Names of twelve bytes and the largest figures whole, never cut inside a character.
    FitCellsToColumns(grid, kCategoryColumn - 1, kBalanceColumn - 1);
    grid->setUpdatesEnabled(true);
}

}  // namespace hanaki

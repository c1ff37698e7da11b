#include "settings/budget_editor_controls.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "data/book/amount_format.h"
#include "data/book/budget.h"
#include "ui/byte_limited_field.h"
#include "ui/fonts.h"
#include "ui/row_tints.h"
#include "ui/text_codec.h"

namespace hanaki {
namespace {

// Every printable ASCII character but the digits.
QString NonDigits() {
    QString characters;
    for (char c = ' '; c <= '~'; ++c) {
        if (c < '0' || c > '9')
            characters += QLatin1Char(c);
    }
    return characters;
}

QTableWidget* NewGrid(int columns, QWidget* parent) {
    auto* grid = new QTableWidget(kBudgetRows, columns, parent);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setTabKeyNavigation(false);
    grid->verticalHeader()->hide();
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int r = 0; r < kBudgetRows; ++r) {
        for (int c = 0; c < columns; ++c)
            grid->setItem(r, c, new QTableWidgetItem);
    }
    return grid;
}

}  // namespace

QString BudgetDigits(const QString& shown) {
    return QString(shown).remove(u',');
}

QString GroupedYen(long long value) {
    return QString::fromStdString(FormatGrouped(double(value)));
}

BudgetEditorControls::BudgetEditorControls(QWidget* window, const QString& legendText) {
    infoGrid = NewGrid(4, window);
    infoGrid->setObjectName("Grid1");
    infoGrid->setFocusPolicy(Qt::NoFocus);  // the budget grid keeps the focus
    budgetGrid = NewGrid(1, window);
    budgetGrid->setObjectName("Grid2");
    for (int i = 0; i <= 20; ++i) {
        checks[i] = new QCheckBox(window);
        checks[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));
        checks[i]->setFocusPolicy(Qt::NoFocus);  // Space on the grid flips them
    }
    editor = new ByteLimitedField(10, budgetGrid->viewport());
    editor->setObjectName("Text1");
    editor->setAsciiOnly(true);
    editor->setForbiddenCharacters(NonDigits());
    editor->hide();
    legend = new QLabel(legendText, window);
    legend->setObjectName("Label1");
    flagHeading = new QLabel(QStringLiteral(" 集計on"), window);
    flagHeading->setObjectName("Label2");
    saveButton = new QPushButton(QStringLiteral("保存終了"), window);
    saveButton->setObjectName("Command3");
    reloadButton = new QPushButton(QStringLiteral("再読み込み"), window);
    reloadButton->setObjectName("Command2");
    cancelButton = new QPushButton(QStringLiteral("キャンセル"), window);
    cancelButton->setObjectName("Command1");
}

QSize BudgetEditorControls::Place(ScreenSizeClass sizeClass) {
    const bool small = sizeClass == ScreenSizeClass::Small;
    const QFont font = GothicFont(small ? 9 : 11);
    rowPixels = TwipsToPixels(small ? 225 : 268);
    const int top = TwipsToPixels(80);
    int left = TwipsToPixels(900);
    const std::array<int, 4> infoWidths{400, 1600, 1600, 1750};
    const QStringList infoHeadings{QString(), QStringLiteral("費   目"), QStringLiteral("摘 　要"),
                                   QStringLiteral("過 去 平 均")};
    for (QTableWidget* grid : {infoGrid, budgetGrid}) {
        grid->setFont(font);
        grid->horizontalHeader()->setFont(font);
        grid->horizontalHeader()->setFixedHeight(rowPixels);
        grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        grid->verticalHeader()->setMinimumSectionSize(1);
        grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        grid->verticalHeader()->setDefaultSectionSize(rowPixels);
    }
    int width = 0;
    for (int c = 0; c < 4; ++c) {
        infoGrid->setColumnWidth(c, TwipsToPixels(infoWidths[c]));
        width += TwipsToPixels(infoWidths[c]);
    }
    infoGrid->setHorizontalHeaderLabels(infoHeadings);
    budgetGrid->setColumnWidth(0, TwipsToPixels(1500));
    budgetGrid->setHorizontalHeaderLabels({QStringLiteral("予 算 額")});

    const int frame = 2 * infoGrid->frameWidth();
    const int height = rowPixels * (kBudgetRows + 1) + frame;
    infoGrid->setGeometry(left, top, width + frame, height);
    left += width + frame;
    budgetGrid->setGeometry(left, top, TwipsToPixels(1500) + frame, height);
    flagHeading->setFont(font);
    flagHeading->setGeometry(0, top, TwipsToPixels(900), rowPixels);

    const int windowWidth = left + TwipsToPixels(1500) + frame + TwipsToPixels(120);
    int y = top + height + TwipsToPixels(80);
    legend->setFont(font);
    legend->setGeometry(TwipsToPixels(120), y, windowWidth - TwipsToPixels(240), rowPixels * 2);
    y += rowPixels * 2 + TwipsToPixels(80);
    int x = windowWidth - TwipsToPixels(120);
    for (QPushButton* button : {cancelButton, reloadButton, saveButton}) {
        x -= TwipsToPixels(1500);
        button->setGeometry(x, y, TwipsToPixels(1400), TwipsToPixels(450));
    }
    return {windowWidth, y + TwipsToPixels(570)};
}

void BudgetEditorControls::ShowCheckBoxes(const BudgetRows& rows) {
    const int top = infoGrid->y() + infoGrid->frameWidth() + rowPixels;
    for (int i = 0; i <= 20; ++i) {
        checks[i]->setGeometry(TwipsToPixels(460), top + rowPixels * i, TwipsToPixels(400),
                               rowPixels);
        // Only category rows carry a flag.
        checks[i]->setVisible(rows.IsCategoryRow(i + 1));
    }
}

void BudgetEditorControls::ShowCategories(const CategoryTable& table, const BudgetRows& rows,
                                          const std::array<long long, 21>& averages) {
    auto infoCell = [this](int row, int column) { return infoGrid->item(row - 1, column); };
    auto budgetCell = [this](int row) { return budgetGrid->item(row - 1, 0); };
    infoGrid->setUpdatesEnabled(false);
    int incomeRow = 1;
    int expenseRow = rows.IncomeTotalRow() + 1;
    std::array<long long, 2> averageSums{};  // income, expense
    for (int c = 1; c <= table.CategoryCount(); ++c) {
        const bool expense = table.IsExpense(c);
        const int row = expense ? expenseRow++ : incomeRow++;
        infoCell(row, 0)->setText(QString::number(c));
        infoCell(row, 1)->setText(FromCp932(table.names[c]));
        infoCell(row, 3)->setText(GroupedYen(averages[c]));
        const QColor tint = expense ? kExpenseTint : kIncomeTint;
        for (QTableWidgetItem* cell : {infoCell(row, 1), infoCell(row, 3), budgetCell(row)})
            cell->setBackground(tint);
        averageSums[expense ? 1 : 0] += averages[c];
    }
    infoCell(rows.IncomeTotalRow(), 1)->setText(QStringLiteral("       入金計"));
    infoCell(rows.IncomeTotalRow(), 3)->setText(GroupedYen(averageSums[0]));
    infoCell(rows.ExpenseTotalRow(), 1)->setText(QStringLiteral("       出金計"));
    infoCell(rows.ExpenseTotalRow(), 3)->setText(GroupedYen(averageSums[1]));
    for (int row = 1; row <= kBudgetRows; ++row) {
        infoCell(row, 3)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        budgetCell(row)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    infoGrid->setUpdatesEnabled(true);
}

void BudgetEditorControls::ShowBudgetSums(const BudgetRows& rows) {
    auto budgetCell = [this](int row) { return budgetGrid->item(row - 1, 0); };
    // Sixty-four bits: twenty budgets of up to 2,147,483,647 add up past 32.
    std::array<long long, 2> sums{};  // income, expense
    for (int row = 1; row <= kBudgetRows; ++row) {
        // Only what is a budget on every other screen counts in its block's sum.
        const BudgetReading budget =
            ReadBudget(ToCp932(BudgetDigits(budgetCell(row)->text())).value_or("?"));
        if (rows.IsCategoryRow(row) && budget.usable())
            sums[row <= rows.incomeCount ? 0 : 1] += budget.yen;
    }
    budgetCell(rows.IncomeTotalRow())->setText(GroupedYen(sums[0]));
    budgetCell(rows.ExpenseTotalRow())->setText(GroupedYen(sums[1]));
}

}  // namespace hanaki

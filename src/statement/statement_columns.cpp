#include "statement/statement_columns.h"

#include <QLabel>
#include <QTableWidget>
#include <algorithm>

namespace hanaki {
namespace {

constexpr int kShownRows = 40;  // of the statement, from a little above the header

std::string ColumnName(const StatementTable& table, const GuessedLayout& layout, int column) {
    if (column < 0)
        return "なし";
    const std::vector<std::string>& header = table.rows[layout.headerRow].fields;
    const std::string name =
        column < static_cast<int>(header.size()) ? header[column] : std::string();
    return std::to_string(column + 1) + "列目" + (name.empty() ? "" : "「" + name + "」");
}

// What the columns are taken for, in words, one line each.
std::string LayoutWords(const StatementTable& table, const GuessedLayout& guessed) {
    const StatementLayout& layout = guessed.layout;
    std::string words = std::string("文字コード: ") +
                        (table.encoding == StatementEncoding::Utf8 ? "UTF-8" : "シフトJIS") +
                        "    見出し: " + std::to_string(table.rows[guessed.headerRow].line) +
                        " 行目\n日付: " + ColumnName(table, guessed, layout.dateColumn) + "\n";
    if (layout.amountColumn >= 0 || (layout.incomeColumn < 0 && layout.expenseColumn < 0))
        words += "金額: " + ColumnName(table, guessed, layout.amountColumn) +
                 (layout.positiveIsExpense ? "（正の数が支出）" : "（正の数が入金）") + "\n";
    else
        words += "入金: " + ColumnName(table, guessed, layout.incomeColumn) +
                 "    出金: " + ColumnName(table, guessed, layout.expenseColumn) + "\n";
    std::string text;
    for (int column : layout.textColumns)
        text += (text.empty() ? "" : " + ") + ColumnName(table, guessed, column);
    return words + "摘要: " + (text.empty() ? "なし" : text);
}

// The column's role, shown in the grid's heading.
std::string ColumnRole(const StatementLayout& layout, int column) {
    if (column == layout.dateColumn)
        return "日付";
    if (column == layout.amountColumn)
        return "金額";
    if (column == layout.incomeColumn)
        return "入金";
    if (column == layout.expenseColumn)
        return "出金";
    if (std::find(layout.textColumns.begin(), layout.textColumns.end(), column) !=
        layout.textColumns.end())
        return "摘要";
    return "";
}

}  // namespace

StatementColumns::StatementColumns(QTableWidget* grid, QLabel* words, Link link, QObject* parent)
    : QObject(parent), grid_(grid), words_(words), link_(std::move(link)) {
    grid_->setSelectionBehavior(QAbstractItemView::SelectColumns);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
}

void StatementColumns::Show(const StatementTable& table, GuessedLayout& layout) {
    table_ = &table;
    layout_ = &layout;
    ShowLayout();
}

KeyTable StatementColumns::Keys() {
    StatementLayout& layout = layout_->layout;
    return {
        "<←→>列  <D>日付  <A>金額  <I>入金  <O>出金  <T>摘要  <S>符号\n"
        "<PageUp,Down>見出し行  <E>文字コード  <Enter>確定  <Esc>ファイルへ",
        {
            TakenElsewhere("<←→>列"),
            {{Qt::Key_D}, "<D>日付", [this, &layout] { SetColumn(layout.dateColumn); }},
            {{Qt::Key_A},
             "<A>金額",
             [this, &layout] {
                 layout.incomeColumn = layout.expenseColumn = -1;
                 SetColumn(layout.amountColumn);
             }},
            {{Qt::Key_I},
             "<I>入金",
             [this, &layout] {
                 layout.amountColumn = -1;
                 SetColumn(layout.incomeColumn);
             }},
            {{Qt::Key_O},
             "<O>出金",
             [this, &layout] {
                 layout.amountColumn = -1;
                 SetColumn(layout.expenseColumn);
             }},
            {{Qt::Key_T}, "<T>摘要", [this] { ToggleTextColumn(); }},
            {{Qt::Key_S},
             "<S>符号",
             [this, &layout] {
                 layout.positiveIsExpense = !layout.positiveIsExpense;
                 ShowLayout();
             }},
            {{Qt::Key_PageUp}, "<PageUp,Down>見出し行", [this] { MoveHeader(-1); }},
            {{Qt::Key_PageDown}, "<PageUp,Down>見出し行", [this] { MoveHeader(1); }},
            {{Qt::Key_E}, "<E>文字コード", [this] { link_.switchEncoding(); }},
            {kEnterKeys, "<Enter>確定", [this] { link_.confirm(); }},
            {{Qt::Key_Escape}, "<Esc>ファイルへ", [this] { link_.back(); }},
        }};
}

void StatementColumns::ShowLayout() {
    const StatementLayout& layout = layout_->layout;
    words_->setText(QString::fromStdString(LayoutWords(*table_, *layout_)));
    const std::size_t first = layout_->headerRow > 2 ? layout_->headerRow - 2 : 0;
    const std::size_t last = std::min(table_->rows.size(), first + kShownRows);
    std::size_t width = 0;
    for (std::size_t row = first; row < last; ++row)
        width = std::max(width, table_->rows[row].fields.size());
    const int current = std::max(0, grid_->currentColumn());
    grid_->clear();
    grid_->setRowCount(static_cast<int>(last - first));
    grid_->setColumnCount(static_cast<int>(width));
    QStringList headings, lines;
    for (int column = 0; column < static_cast<int>(width); ++column)
        headings << QString::fromStdString(std::to_string(column + 1) + " " +
                                           ColumnRole(layout, column));
    for (std::size_t row = first; row < last; ++row) {
        lines << QString::number(table_->rows[row].line);
        const std::vector<std::string>& fields = table_->rows[row].fields;
        for (std::size_t column = 0; column < fields.size(); ++column) {
            auto* cell = new QTableWidgetItem(QString::fromStdString(fields[column]));
            if (row == layout_->headerRow) {
                QFont bold = grid_->font();
                bold.setBold(true);
                cell->setFont(bold);
            }
            grid_->setItem(static_cast<int>(row - first), static_cast<int>(column), cell);
        }
    }
    grid_->setHorizontalHeaderLabels(headings);
    grid_->setVerticalHeaderLabels(lines);
    grid_->resizeColumnsToContents();
    for (int column = 0; column < grid_->columnCount(); ++column)
        grid_->setColumnWidth(column, std::min(grid_->columnWidth(column), grid_->width() / 3));
    if (width > 0)
        grid_->setCurrentCell(static_cast<int>(layout_->headerRow - first),
                              std::min(current, static_cast<int>(width) - 1));
}

// The column under the cursor takes the role; pressed again, it gives it up.
void StatementColumns::SetColumn(int& column) {
    const int current = grid_->currentColumn();
    column = column == current ? -1 : current;
    ShowLayout();
}

void StatementColumns::ToggleTextColumn() {
    std::vector<int>& text = layout_->layout.textColumns;
    const int current = grid_->currentColumn();
    if (const auto found = std::find(text.begin(), text.end(), current); found != text.end())
        text.erase(found);
    else if (current >= 0)
        text.push_back(current);
    ShowLayout();
}

void StatementColumns::MoveHeader(int by) {
    const long row = static_cast<long>(layout_->headerRow) + by;
    if (row < 0 || row >= static_cast<long>(table_->rows.size()))
        return;
    layout_->headerRow = static_cast<std::size_t>(row);
    ShowLayout();
}

}  // namespace hanaki

#include "moc_statement_columns.cpp"

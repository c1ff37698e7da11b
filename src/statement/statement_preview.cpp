#include "statement/statement_preview.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include "data/book/amount_format.h"
#include "data/formats/cp932.h"
#include "data/formats/fixed_field.h"
#include "ui/row_tints.h"

namespace hanaki {
namespace {

enum Column { kChecked, kDate, kMonth, kKind, kAmount, kRemark, kCategory, kDescription, kState };

QTableWidgetItem* Cell(const std::string& utf8, Qt::Alignment alignment = Qt::AlignLeft) {
    auto* item = new QTableWidgetItem(QString::fromStdString(utf8));
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

}  // namespace

std::string PreviewState(const PlannedRow& row) {
    if (row.problem != RowProblem::None)
        return DescribeRowProblem(row.problem);
    if (row.skippedByRule)
        return "取り込まない";
    if (row.alreadyImported)
        return "取込済";
    if (row.choice.category == 0)
        return "費目なし";
    switch (row.source) {
        case ProposalSource::Rule:
            return "規則";
        case ProposalSource::Memory:
            return "過去の項目";
        case ProposalSource::Chosen:
            return "選択";
        case ProposalSource::None:
            break;
    }
    return "";
}

StatementPreview::StatementPreview(const CategoryTable& categories, QTableWidget* grid,
                                   QLineEdit* number, QLabel* guide, Link link, QObject* parent)
    : QObject(parent),
      categories_(categories),
      grid_(grid),
      number_(number),
      guide_(guide),
      link_(std::move(link)) {
    grid_->setColumnCount(9);
    grid_->setHorizontalHeaderLabels(
        {"取込", "日付", "月度", "入出", "金額", "備考", "費目", "摘要", "状態"});
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grid_->horizontalHeader()->setSectionResizeMode(kRemark, QHeaderView::Stretch);
    connect(grid_, &QTableWidget::currentCellChanged, this, [this] {
        if (typing_ != Typing::None)
            Back();  // a number half typed belongs to the row it was typed for
        ShowGuide();
    });
}

void StatementPreview::Show(std::vector<PlannedRow> rows) {
    const int current = std::max(0, grid_->currentRow());
    rows_ = std::move(rows);
    typing_ = Typing::None;
    number_->clear();
    grid_->setRowCount(static_cast<int>(rows_.size()));
    for (int i = 0; i < grid_->rowCount(); ++i)
        ShowRow(i);
    if (!rows_.empty())
        grid_->setCurrentCell(std::min(current, grid_->rowCount() - 1), kChecked);
    ShowGuide();
}

void StatementPreview::ShowRow(int index) {
    const PlannedRow& row = rows_[index];
    const bool readable = row.problem == RowProblem::None;
    const int c = row.choice.category, d = row.choice.description;
    grid_->setItem(index, kChecked, Cell(row.checked ? "✓" : "", Qt::AlignHCenter));
    grid_->setItem(index, kDate,
                   Cell(readable ? std::to_string(row.date.year) + "/" + TwoDigits(row.date.month) +
                                       "/" + TwoDigits(row.date.day)
                                 : ""));
    grid_->setItem(
        index, kMonth,
        Cell(readable ? std::to_string(row.month.year + 1900) + "/" + TwoDigits(row.month.month)
                      : ""));
    grid_->setItem(index, kKind, Cell(readable ? (row.income ? "入金" : "支出") : ""));
    grid_->setItem(index, kAmount,
                   Cell(readable ? FormatGrouped(double(row.amount)) : "", Qt::AlignRight));
    grid_->setItem(index, kRemark, Cell(readable ? Cp932ToUtf8(row.remark) : row.text));
    grid_->setItem(index, kCategory, Cell(c > 0 ? Cp932ToUtf8(categories_.names[c]) : ""));
    grid_->setItem(index, kDescription,
                   Cell(c > 0 ? Cp932ToUtf8(categories_.descriptions[c][d]) : ""));
    grid_->setItem(index, kState, Cell(PreviewState(row)));
    if (readable) {
        const QColor tint = row.income ? kIncomeTint : kExpenseTint;
        for (int column = 0; column < grid_->columnCount(); ++column)
            grid_->item(index, column)->setBackground(tint);
    }
}

PlannedRow* StatementPreview::CurrentRow() {
    const int row = grid_->currentRow();
    return row >= 0 && row < static_cast<int>(rows_.size()) ? &rows_[row] : nullptr;
}

// The names to type by: the categories, or the chosen category's descriptions.
void StatementPreview::ShowGuide() {
    std::string guide;
    if (typing_ == Typing::Description)
        guide = "摘要番号: " + Cp932ToUtf8(categories_.descriptionGuides[category_]);
    else
        guide = "費目番号: " + Cp932ToUtf8(categories_.categoryGuide);
    guide_->setText(QString::fromStdString(guide));
}

KeyTable StatementPreview::Keys() {
    switch (typing_) {
        case Typing::Category:
            return {"<数字>費目番号  <Enter>決定  <Esc>やめる",
                    {TakenElsewhere("<数字>費目番号"),
                     {kEnterKeys, "<Enter>決定", [this] { Accept(); }},
                     {{Qt::Key_Escape}, "<Esc>やめる", [this] { Back(); }}}};
        case Typing::Description:
            return {"<数字>摘要番号  <Enter>決定  <Esc>費目へ",
                    {TakenElsewhere("<数字>摘要番号"),
                     {kEnterKeys, "<Enter>決定", [this] { Accept(); }},
                     {{Qt::Key_Escape}, "<Esc>費目へ", [this] { Back(); }}}};
        case Typing::None:
            break;
    }
    return {
        "<↑↓>行  <Space>取り込む・取り込まない  <数字>費目  <Enter>取り込み実行  "
        "<Esc>列の確認へ",
        {TakenElsewhere("<↑↓>行"),
         {{Qt::Key_Space}, "<Space>取り込む・取り込まない", [this] { Toggle(); }},
         TakenElsewhere("<数字>費目"),
         {kEnterKeys, "<Enter>取り込み実行", [this] { link_.import(); }},
         {{Qt::Key_Escape}, "<Esc>列の確認へ", [this] { link_.back(); }}}};
}

bool StatementPreview::TakeDigit(const QString& text) {
    if (text.size() != 1 || !text[0].isDigit() || text[0].unicode() > '9' ||
        CurrentRow() == nullptr)
        return false;
    if (typing_ == Typing::None)
        typing_ = Typing::Category;
    if (number_->text().size() < 2)
        number_->setText(number_->text() + text);
    return true;
}

// Space checks a row only while it can be imported.
void StatementPreview::Toggle() {
    PlannedRow* row = CurrentRow();
    if (row == nullptr || !row->Importable())
        return;
    row->checked = !row->checked;
    ShowRow(grid_->currentRow());
}

// A number that names nothing of the row's kind is cleared, as on the main window.
void StatementPreview::Accept() {
    PlannedRow* row = CurrentRow();
    const int value = number_->text().toInt();
    number_->clear();
    if (row == nullptr)
        return;
    if (typing_ == Typing::Category) {
        if (categories_.HasCategory(value) && categories_.IsExpense(value) == !row->income) {
            category_ = value;
            typing_ = Typing::Description;
        }
        ShowGuide();
        return;
    }
    const CategoryChoice choice{category_, value};
    if (!FitsRow(categories_, *row, choice))
        return;
    ChooseCategory(categories_, *row, choice);
    typing_ = Typing::None;
    ShowRow(grid_->currentRow());
    ShowGuide();
    link_.chosen(*row);
}

void StatementPreview::Back() {
    number_->clear();
    typing_ = typing_ == Typing::Description ? Typing::Category : Typing::None;
    ShowGuide();
}

}  // namespace hanaki

#include "moc_statement_preview.cpp"

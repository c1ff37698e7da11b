#include "fixed/fixed_items_editor.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "fixed/fixed_grid.h"
#include "ui/amount_calculator.h"
#include "ui/byte_limited_field.h"
#include "ui/focus_cycle.h"
#include "ui/fonts.h"
#include "ui/io_failure.h"
#include "ui/message_service.h"
#include "ui/row_tints.h"
#include "ui/screen_metrics.h"
#include "ui/text_codec.h"

namespace hanaki {
namespace {

const QString kEditorTitle = QStringLiteral("定期項目");
// The window by screen-size class; the grid scrolls, so it fits the smallest screens whole.
constexpr int kEditorWindowTwips[3][2] = {{9000, 6000}, {11000, 7600}, {14000, 7600}};
constexpr GridColumn kEditorColumns[kFixedColumns] = {
    {"日", 600},      {"費  目", 1900}, {"摘  要", 1900},   {"金  額", 1400},
    {"備  考", 3000}, {"間  隔", 1200}, {"最初の月", 1100}, {"最後の月", 1100}};

bool IsNumberColumn(FixedColumn column) {
    return column != FixedColumn::Remark && column != FixedColumn::Day;
}

}  // namespace

FixedItemsEditor::FixedItemsEditor(ProgramState& state, Services& services,
                                   MakeAmountCalculator makeCalculator, QWidget* parent)
    : QDialog(parent), state_(state), services_(services) {
    setObjectName("FormTeiki");
    setWindowTitle(kEditorTitle);
    const bool small = services_.metrics.below600();
    const QFont font = GothicFont(small ? 9 : 11);

    grid_ = NewKeyboardGrid(this, 0, kEditorColumns, font, small);

    editor_ = new ByteLimitedField(0, grid_->viewport());
    editor_->setObjectName("Text1");
    editor_->setFont(font);
    editor_->hide();
    calculatorField_ = new QLineEdit(grid_->viewport());
    calculatorField_->setObjectName("Text10");
    calculatorField_->setFont(font);
    calculatorField_->setAlignment(Qt::AlignRight);
    calculatorField_->hide();

    legendText_ = LegendInTwoLines(QString::fromUtf8(GridKeys().legend), QStringLiteral("注:"));
    legend_ = new QLabel(legendText_, this);
    legend_->setObjectName("Label1");
    legend_->setFont(GothicFont(small ? 9 : 10));
    legend_->setWordWrap(true);
    cellEditor_ = new CellEditor(grid_, editor_, legend_, legendText_, this);
    connect(editor_, &ByteLimitedField::refused, legend_, &QLabel::setText);
    calculator_ = makeCalculator(calculatorField_, legend_, this,
                                 {[this](const QString& result) {
                                      CloseCalculator();
                                      Apply(result);
                                  },
                                  [this] { CloseCalculator(); }});

    saveButton_ = new QPushButton(QStringLiteral("保存終了"), this);
    saveButton_->setObjectName("Command3");
    cancelButton_ = new QPushButton(QStringLiteral("キャンセル"), this);
    cancelButton_->setObjectName("Command1");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {saveButton_, cancelButton_}) {
        button->setAutoDefault(false);
        button->installEventFilter(this);
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addWidget(legend_);
    layout->addLayout(buttons);
    const int* window = kEditorWindowTwips[static_cast<int>(services_.metrics.sizeClass())];
    resize(TwipsToPixels(window[0]), TwipsToPixels(window[1]));

    grid_->installEventFilter(this);
    editor_->installEventFilter(this);
    // Scrolling moves the cell away from under the editor: the edit is taken as it stands.
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { CommitEdit(); });
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { CommitEdit(); });
    connect(saveButton_, &QPushButton::clicked, this, &FixedItemsEditor::Save);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    Read();
    grid_->setCurrentCell(0, 0);
    grid_->setFocus();
}

FixedItemsEditor::~FixedItemsEditor() = default;

void FixedItemsEditor::Read() {
    if (ReportedIoFailure(services_.messages, this, kEditorTitle,
                          LoadFixedItems(state_.folder, read_))) {
        saveButton_->setEnabled(false);  // never write over a file that could not be read
        read_ = {};
    }
    for (std::size_t i = 0; i < read_.lines.size(); ++i)
        if (read_.lines[i].item)
            rows_.push_back({static_cast<int>(i), *read_.lines[i].item});
    grid_->setRowCount(static_cast<int>(rows_.size()) + 1);
    for (int row = 0; row <= static_cast<int>(rows_.size()); ++row)
        ShowRow(row);
    const std::vector<int> unreadable = read_.UnreadableLines();
    if (unreadable.empty())
        return;
    QStringList numbers;
    for (int line : unreadable)
        numbers << QString::number(line + 1);
    services_.messages.Inform(
        this, kEditorTitle,
        QStringLiteral("定期項目ファイル(TEIKI.TXT)の %1 行目は読めないため、ここには出しません。"
                       "保存してもその行はそのまま残ります。")
            .arg(numbers.join(QStringLiteral(", "))));
}

void FixedItemsEditor::ShowRow(int row) {
    const bool blank = row >= static_cast<int>(rows_.size());
    const CategoryTable& categories = state_.categories;
    for (int c = 0; c < kFixedColumns; ++c) {
        auto* cell = grid_->item(row, c);
        if (cell == nullptr) {
            cell = new QTableWidgetItem;
            grid_->setItem(row, c, cell);
        }
        const FixedColumn column = static_cast<FixedColumn>(c);
        cell->setText(
            blank ? QString()
                  : QString::fromStdString(FixedCellText(categories, rows_[row].item, column)));
        if (column == FixedColumn::Amount || column == FixedColumn::Day)
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (!blank && categories.HasCategory(rows_[row].item.category))
            cell->setBackground(categories.IsExpense(rows_[row].item.category) ? kExpenseTint
                                                                               : kIncomeTint);
        else
            cell->setBackground(QBrush());
    }
}

bool FixedItemsEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_ && event->type() == QEvent::FocusOut) {
        if (LeftForAnotherPlace(static_cast<QFocusEvent*>(event)))
            CommitEdit();
        return false;
    }
    if (watched == grid_ && event->type() == QEvent::InputMethod) {
        auto* input = static_cast<QInputMethodEvent*>(event);
        if (!cellEditor_->IsOpen() && CurrentColumn() != FixedColumn::Remark &&
            CurrentColumn() != FixedColumn::Day)
            return true;  // numbers are typed as keys
        if (!cellEditor_->IsOpen() &&
            (!input->commitString().isEmpty() || !input->preeditString().isEmpty()))
            BeginCellEdit(CellEditStart::Clear);
        cellEditor_->Compose(input);
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (watched == grid_)
        return GridKeys().Run(key) || TakeTyped(key);
    return KeysOf(watched).Run(key);
}

KeyTable FixedItemsEditor::KeysNow() {
    return KeysOf(focusWidget());
}

KeyTable FixedItemsEditor::KeysOf(QObject* focus) {
    if (focus == grid_)
        return GridKeys();
    if (focus == editor_)
        return EditorKeys();
    if (focus == calculatorField_)
        return calculator_->KeysNow();
    // Enter and Space press a button, Esc closes unsaved, Tab steps on.
    if (auto* button = qobject_cast<QPushButton*>(focus))
        return ButtonRowKeys(*this, button, FocusCycle());
    return {};
}

std::vector<QWidget*> FixedItemsEditor::FocusCycle() const {
    return {grid_, saveButton_, cancelButton_};
}

// Typed characters and Space open the cell as in the category editor (TakeTyped).
KeyTable FixedItemsEditor::GridKeys() {
    auto stepFocus = [this](bool forward) { StepFocus(FocusCycle(), grid_, forward); };
    return {
        "<Enter>編集  <PageUp,Down>増減  <\\>電卓  <Del>削除  <Esc>破棄  <Enter>確定    "
        "注:日は1～31か末  間隔は1,2,3,6,12か月  月は2026/01の形  金額が空欄なら毎回入力",
        {{kEnterKeys, "<Enter>編集", [this] { BeginCellEdit(CellEditStart::KeepText); }},
         {{Qt::Key_PageUp}, "<PageUp,Down>増減", [this] { Step(-1); }},
         {{Qt::Key_PageDown}, "<PageUp,Down>増減", [this] { Step(1); }},
         {kCalculatorCharacters, "<\\>電卓",
          [this] {
              const int row = grid_->currentRow();
              if (CurrentColumn() == FixedColumn::Amount)
                  OpenCalculator(row < int(rows_.size())
                                     ? QString::fromStdString(
                                           FixedEditText(rows_[row].item, FixedColumn::Amount))
                                     : QString());
          }},
         {{Qt::Key_Delete}, "<Del>削除", [this] { RemoveRow(); }},
         {{Qt::Key_Backspace}, "", [this] { BeginCellEdit(CellEditStart::Clear); }},
         {{Qt::Key_Escape}, "<Esc>破棄", [this] { reject(); }},  // without asking
         TakenElsewhere("<Enter>確定"),                          // the cell editor's (EditorKeys)
         {{Qt::Key_Tab}, "", [stepFocus] { stepFocus(true); }},
         {{Qt::Key_Backtab}, "", [stepFocus] { stepFocus(false); }}}};
}

bool FixedItemsEditor::TakeTyped(const QKeyEvent& event) {
    return BeginByTyping(event,
                         [this](CellEditStart start, QChar typed) { BeginCellEdit(start, typed); });
}

// The grid's legend stays on screen and names the Enter here.
KeyTable FixedItemsEditor::EditorKeys() {
    auto stepFocus = [this](bool forward) {
        if (CommitEdit())
            StepFocus(FocusCycle(), grid_, forward);
    };
    KeyTable table{"",
                   {{{Qt::Key_Escape}, "", [this] { cellEditor_->Discard(); }},
                    {kEnterKeys, "", [this] { CommitEdit(); }},
                    {{Qt::Key_Tab}, "", [stepFocus] { stepFocus(true); }},
                    {{Qt::Key_Backtab}, "", [stepFocus] { stepFocus(false); }}}};
    if (CurrentColumn() == FixedColumn::Amount)
        table.keys.push_back({kCalculatorCharacters, "", [this] {
                                  const QString typed = editor_->text();
                                  cellEditor_->Discard();
                                  OpenCalculator(typed);
                              }});
    return table;
}

FixedColumn FixedItemsEditor::CurrentColumn() const {
    return static_cast<FixedColumn>(std::max(0, grid_->currentColumn()));
}

void FixedItemsEditor::BeginCellEdit(CellEditStart start, QChar typed) {
    const int row = grid_->currentRow();
    QTableWidgetItem* cell = grid_->currentItem();
    if (cell == nullptr)
        return;
    const FixedColumn column = CurrentColumn();
    const QString text = row < int(rows_.size())
                             ? QString::fromStdString(FixedEditText(rows_[row].item, column))
                             : QString();
    // The remark keeps to the ledger's 60 bytes, input-method commits included.
    editor_->setByteLimit(column == FixedColumn::Remark ? int(kFixedRemarkBytes) : 10);
    editor_->setAsciiOnly(IsNumberColumn(column));
    cellEditor_->Begin(cell, start, text, typed);
}

bool FixedItemsEditor::CommitEdit() {
    if (!cellEditor_->IsOpen())
        return true;
    if (!Apply(editor_->text())) {
        editor_->setFocus();
        return false;
    }
    cellEditor_->Commit(grid_->currentItem()->text());
    return true;
}

bool FixedItemsEditor::Apply(const QString& text) {
    const int row = grid_->currentRow();
    if (row < 0)
        return true;
    const bool adding = row >= int(rows_.size());
    if (adding && text.trimmed().isEmpty())
        return true;  // nothing typed on the blank row
    const CivilDate today = state_.today();
    FixedItem item = adding ? NewFixedItem(MonthNumber(today.year, today.month)) : rows_[row].item;
    if (const std::optional<std::string> refusal =
            SetFixedField(state_.categories, item, CurrentColumn(), text.toStdString())) {
        services_.messages.Inform(this, kEditorTitle, QString::fromStdString(*refusal));
        return false;
    }
    if (adding) {
        rows_.push_back({-1, item});
        grid_->setRowCount(static_cast<int>(rows_.size()) + 1);
        ShowRow(row + 1);
    } else {
        rows_[row].item = item;
    }
    ShowRow(row);
    return true;
}

void FixedItemsEditor::Step(int step) {
    const int row = grid_->currentRow();
    if (row < 0 || row >= int(rows_.size()))
        return;
    if (StepFixedField(rows_[row].item, CurrentColumn(), step))
        ShowRow(row);
}

void FixedItemsEditor::OpenCalculator(const QString& amount) {
    QTableWidgetItem* cell = grid_->currentItem();
    if (cell == nullptr)
        return;
    grid_->scrollToItem(cell);
    calculatorField_->setGeometry(grid_->visualItemRect(cell));
    calculator_->Open(amount, state_.today());
}

void FixedItemsEditor::CloseCalculator() {
    legend_->setText(legendText_);
    grid_->setFocus();
}

void FixedItemsEditor::RemoveRow() {
    const int row = grid_->currentRow();
    if (row < 0 || row >= int(rows_.size()))
        return;
    if (!services_.messages.Confirm(
            this, kEditorTitle,
            QStringLiteral("この定期項目を削除しますか？（記入済みの項目は帳簿に残ります）")))
        return;
    rows_.erase(rows_.begin() + row);
    grid_->removeRow(row);
}

void FixedItemsEditor::Save() {
    if (!CommitEdit())
        return;
    FixedItems now;
    if (ReportedIoFailure(services_.messages, this, kEditorTitle,
                          LoadFixedItems(state_.folder, now)))
        return;
    // What was entered or skipped meanwhile keeps its marks; other changes are not overwritten.
    const std::optional<FixedItems> edited = EditedFixedItems(read_, now, rows_);
    if (!edited) {
        services_.messages.Inform(
            this, kEditorTitle,
            QStringLiteral("定期項目ファイル(TEIKI.TXT)が、この画面を開いた後でほかから書き換え"
                           "られたため、保存しません。キャンセルで閉じて開き直してください。"));
        return;
    }
    if (ReportedIoFailure(
            services_.messages, this, kEditorTitle,
            SaveFixedItems(state_.folder, *edited, {ChangeKind::FixedItems, "定期項目の設定"})))
        return;
    accept();
}

}  // namespace hanaki

#include "moc_fixed_items_editor.cpp"

#include "fixed/due_items_screen.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "data/book/amount_format.h"
#include "data/formats/cp932.h"
#include "data/formats/fixed_field.h"
#include "fixed/due_listing.h"
#include "fixed/fixed_grid.h"
#include "fixed/fixed_item_cells.h"
#include "ui/amount_calculator.h"
#include "ui/byte_limited_field.h"
#include "ui/cell_editor.h"
#include "ui/fonts.h"
#include "ui/input_method_off.h"
#include "ui/io_failure.h"
#include "ui/message_service.h"
#include "ui/row_tints.h"
#include "ui/screen_metrics.h"

namespace hanaki {
namespace {

const QString kDueTitle = QStringLiteral("定期項目の記入");
enum Column { kCheck, kDate, kCategory, kDescription, kAmount, kRemark, kColumns };
constexpr GridColumn kGridColumns[kColumns] = {{"記入", 600},    {"日  付", 1500},
                                               {"費  目", 1900}, {"摘  要", 1900},
                                               {"金  額", 1400}, {"備  考", 3000}};
// The window by screen-size class; the list scrolls.
constexpr int kDueWindowTwips[3][2] = {{9000, 6000}, {11000, 7000}, {12500, 7600}};

QString Shown(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

}  // namespace

std::vector<DueOccurrence> DueItemsScreen::DueNow(ProgramState& state, Services& services,
                                                  QWidget* parent) {
    FixedItems items;
    if (ReportedIoFailure(services.messages, parent, kDueTitle,
                          LoadFixedItems(state.folder, items)))
        return {};
    return DueOccurrences(items, state.closingDay(), state.today());
}

DueItemsScreen::DueItemsScreen(ProgramState& state, Services& services, Link link,
                               std::vector<DueOccurrence> due, QWidget* parent)
    : QDialog(parent), state_(state), services_(services), link_(std::move(link)) {
    setObjectName("FormDue");
    setWindowTitle(kDueTitle);
    FixedItems items;
    LoadFixedItems(state_.folder, items);  // read a moment ago by DueNow
    for (const DueOccurrence& occurrence : due) {
        if (occurrence.line >= int(items.lines.size()) || !items.lines[occurrence.line].item)
            continue;
        const FixedItem& item = *items.lines[occurrence.line].item;
        // One without an amount is entered once its amount is typed.
        lines_.push_back({occurrence, item, item.amount.has_value(), std::nullopt});
    }

    const bool small = services_.metrics.below600();
    const QFont font = GothicFont(small ? 9 : 11);
    question_ = new QLabel(this);
    question_->setObjectName("Label2");
    question_->setFont(GothicFont(small ? 10 : 12));

    grid_ = NewKeyboardGrid(this, static_cast<int>(lines_.size()), kGridColumns, font, small);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < int(lines_.size()); ++row)
        ShowLine(row);

    editor_ = new ByteLimitedField(9, grid_->viewport());
    editor_->setObjectName("Text1");
    editor_->setFont(font);
    editor_->setAsciiOnly(true);
    editor_->setAlignment(Qt::AlignRight);
    editor_->hide();
    calculatorField_ = new QLineEdit(grid_->viewport());
    calculatorField_->setObjectName("Text10");
    calculatorField_->setFont(font);
    calculatorField_->setAlignment(Qt::AlignRight);
    calculatorField_->hide();

    legendText_ = QString::fromUtf8(GridKeys().legend);
    legend_ = new QLabel(legendText_, this);
    legend_->setObjectName("Label1");
    legend_->setFont(GothicFont(small ? 9 : 10));
    legend_->setWordWrap(true);
    cellEditor_ = new CellEditor(grid_, editor_, legend_, legendText_, this);
    connect(editor_, &ByteLimitedField::refused, legend_, &QLabel::setText);
    calculator_ = link_.makeCalculator(calculatorField_, legend_, this,
                                       {[this](const QString& result) {
                                            legend_->setText(legendText_);
                                            grid_->setFocus();
                                            SetAmount(grid_->currentRow(), result);
                                        },
                                        [this] {
                                            legend_->setText(legendText_);
                                            grid_->setFocus();
                                        }});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question_);
    layout->addWidget(grid_, 1);
    layout->addWidget(legend_);
    const int* window = kDueWindowTwips[static_cast<int>(services_.metrics.sizeClass())];
    resize(TwipsToPixels(window[0]), TwipsToPixels(window[1]));

    // Amounts are digits: with an input method left on they still come as keys.
    SwitchInputMethodOff(grid_);
    grid_->installEventFilter(this);
    editor_->installEventFilter(this);
    ShowQuestion();
    grid_->setCurrentCell(0, kAmount);
    grid_->setFocus();
}

DueItemsScreen::~DueItemsScreen() = default;

void DueItemsScreen::ShowLine(int row) {
    const Line& line = lines_[row];
    const CategoryTable& categories = state_.categories;
    const CivilDate& date = line.occurrence.date;
    const std::optional<long long> amount = line.item.amount ? line.item.amount : line.typed;
    const QStringList texts{line.checked ? QStringLiteral("✓") : QString(),
                            QStringLiteral("%1/%2/%3")
                                .arg(date.year)
                                .arg(date.month, 2, 10, QLatin1Char('0'))
                                .arg(date.day, 2, 10, QLatin1Char('0')),
                            Shown(FixedCellText(categories, line.item, FixedColumn::Category)),
                            Shown(FixedCellText(categories, line.item, FixedColumn::Description)),
                            amount ? Shown(FormatGrouped(double(*amount))) : QString(),
                            Shown(Cp932ToUtf8(line.item.remark))};
    const bool known = categories.HasCategory(line.item.category);
    for (int c = 0; c < kColumns; ++c) {
        auto* cell = grid_->item(row, c);
        if (cell == nullptr) {
            cell = new QTableWidgetItem;
            grid_->setItem(row, c, cell);
        }
        cell->setText(texts[c]);
        if (c == kAmount)
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (c == kCheck)
            cell->setTextAlignment(Qt::AlignCenter);
        if (known)
            cell->setBackground(categories.IsExpense(line.item.category) ? kExpenseTint
                                                                         : kIncomeTint);
    }
}

void DueItemsScreen::ShowQuestion() {
    int checked = 0;
    for (const Line& line : lines_)
        checked += line.checked ? 1 : 0;
    question_->setText(QStringLiteral("定期項目 %1 件を記入しますか？").arg(checked));
}

bool DueItemsScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_ && event->type() == QEvent::FocusOut) {
        if (LeftForAnotherPlace(static_cast<QFocusEvent*>(event)))
            CommitEdit();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (watched == grid_)
        return GridKeys().Run(key) || TakeTyped(key);
    if (watched == editor_)
        return EditorKeys().Run(key);
    return false;
}

KeyTable DueItemsScreen::KeysNow() {
    QWidget* focus = focusWidget();
    if (focus == editor_)
        return EditorKeys();
    if (focus == calculatorField_)
        return calculator_->KeysNow();
    return GridKeys();
}

KeyTable DueItemsScreen::GridKeys() {
    return {
        " <Enter>記入    <Space>チェック    <数字>金額    <\\>電卓    <Del>今後とばす    "
        "<Esc>次の起動で",
        {{kEnterKeys, "<Enter>記入", [this] { EnterChecked(); }},
         {{Qt::Key_Space}, "<Space>チェック", [this] { Toggle(); }},
         TakenElsewhere("<数字>金額"),  // TakeTyped, on a line without an amount
         {kCalculatorCharacters, "<\\>電卓",
          [this] {
              const int row = grid_->currentRow();
              if (TakesAmount(row))
                  OpenCalculator(lines_[row].typed ? QString::number(*lines_[row].typed)
                                                   : QString());
          }},
         {{Qt::Key_Delete}, "<Del>今後とばす", [this] { Skip(); }},
         {{Qt::Key_Backspace}, "", [this] { OpenEditor(QString()); }},
         {{Qt::Key_Escape}, "<Esc>次の起動で", [this] { reject(); }}}};
}

// The grid's legend stays on screen; Enter takes the amount.
KeyTable DueItemsScreen::EditorKeys() {
    return {"",
            {{{Qt::Key_Escape}, "", [this] { cellEditor_->Discard(); }},
             {kEnterKeys, "", [this] { CommitEdit(); }},
             {kCalculatorCharacters, "", [this] {
                  const QString typed = editor_->text();
                  cellEditor_->Discard();
                  OpenCalculator(typed);
              }}}};
}

bool DueItemsScreen::TakeTyped(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.isEmpty() || (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    if (text.front() >= u'0' && text.front() <= u'9') {
        OpenEditor(QString());
        if (cellEditor_->IsOpen()) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text.left(1));
            QApplication::sendEvent(editor_, &key);
        }
    }
    return true;  // any other character does nothing
}

bool DueItemsScreen::TakesAmount(int row) const {
    return row >= 0 && row < int(lines_.size()) && !lines_[row].item.amount;
}

void DueItemsScreen::OpenEditor(const QString& text) {
    const int row = grid_->currentRow();
    if (!TakesAmount(row))
        return;
    QTableWidgetItem* cell = grid_->item(row, kAmount);
    grid_->scrollToItem(cell);
    cellEditor_->Open(cell, text, static_cast<int>(text.size()));
}

bool DueItemsScreen::CommitEdit() {
    if (!cellEditor_->IsOpen())
        return true;
    const int row = grid_->currentRow();
    const QString text = editor_->text();
    cellEditor_->Discard();  // the line is drawn anew from what was taken
    if (!SetAmount(row, text)) {
        OpenEditor(text);
        return false;
    }
    return true;
}

bool DueItemsScreen::SetAmount(int row, const QString& text) {
    if (!TakesAmount(row))
        return true;
    Line& line = lines_[row];
    if (text.trimmed().isEmpty()) {
        line.typed.reset();
        line.checked = false;
    } else {
        FixedItem typed = line.item;
        if (const std::optional<std::string> refusal =
                SetFixedField(state_.categories, typed, FixedColumn::Amount, text.toStdString())) {
            services_.messages.Inform(this, kDueTitle, Shown(*refusal));
            return false;
        }
        line.typed = typed.amount;
        line.checked = true;  // a typed amount is meant to be entered
    }
    ShowLine(row);
    ShowQuestion();
    return true;
}

void DueItemsScreen::OpenCalculator(const QString& amount) {
    QTableWidgetItem* cell = grid_->item(grid_->currentRow(), kAmount);
    grid_->scrollToItem(cell);
    calculatorField_->setGeometry(grid_->visualItemRect(cell));
    calculator_->Open(amount, state_.today());
}

void DueItemsScreen::Toggle() {
    const int row = grid_->currentRow();
    if (row < 0 || row >= int(lines_.size()))
        return;
    lines_[row].checked = !lines_[row].checked;
    ShowLine(row);
    ShowQuestion();
}

bool DueItemsScreen::StillAsShown() {
    FixedItems now;
    if (ReportedIoFailure(services_.messages, this, kDueTitle, LoadFixedItems(state_.folder, now)))
        return false;
    // The choices name lines of the file: a file edited meanwhile could give
    // them to other items than the ones on screen.
    for (const Line& line : lines_) {
        const int at = line.occurrence.line;
        if (at >= int(now.lines.size()) || !now.lines[at].item ||
            !SameButMarks(*now.lines[at].item, line.item)) {
            services_.messages.Inform(
                this, kDueTitle,
                QStringLiteral("定期項目ファイル(TEIKI.TXT)が、この画面を開いた後でほかから書き換え"
                               "られたため、記入しませんでした。次の起動のときにまた尋ねます。"));
            reject();
            return false;
        }
    }
    return true;
}

void DueItemsScreen::Skip() {
    const int row = grid_->currentRow();
    if (row < 0 || row >= int(lines_.size()))
        return;
    const Line& line = lines_[row];
    if (!services_.messages.Confirm(
            this, kDueTitle,
            QStringLiteral("%1 の「%2」を記入せず、今後も尋ねません。よろしいですか？")
                .arg(grid_->item(row, kDate)->text(), grid_->item(row, kDescription)->text())))
        return;
    if (!StillAsShown())
        return;
    const DueEntry entry =
        EnterDueItems(state_.folder, state_.categories, state_.closingDay(), state_.today(),
                      {{line.occurrence.line, line.occurrence.month, true, std::nullopt}});
    if (ReportedIoFailure(services_.messages, this, kDueTitle, entry.io))
        return;
    lines_.erase(lines_.begin() + row);
    grid_->removeRow(row);
    ShowQuestion();
    if (lines_.empty())
        accept();
}

void DueItemsScreen::EnterChecked() {
    std::vector<DueChoice> choices;
    for (std::size_t row = 0; row < lines_.size(); ++row) {
        const Line& line = lines_[row];
        if (!line.checked)
            continue;
        if (!line.item.amount && !line.typed) {
            grid_->setCurrentCell(static_cast<int>(row), kAmount);
            services_.messages.Inform(this, kDueTitle,
                                      QStringLiteral("金額が空欄の定期項目があります。金額を入力"
                                                     "するか、Space でチェックを外してください。"));
            return;
        }
        choices.push_back({line.occurrence.line, line.occurrence.month, false, line.typed});
    }
    if (choices.empty()) {
        reject();  // nothing checked: asked again next time
        return;
    }
    if (!link_.takesHandOff(this) || !StillAsShown())
        return;
    const DueEntry entry = EnterDueItems(state_.folder, state_.categories, state_.closingDay(),
                                         state_.today(), choices);
    if (std::any_of(entry.outcomes.begin(), entry.outcomes.end(),
                    [](const DueOutcome& outcome) { return outcome.entered; }))
        link_.entered();
    Report(entry);
    accept();
}

void DueItemsScreen::Report(const DueEntry& entry) {
    QStringList refused;
    for (const DueOutcome& outcome : entry.outcomes) {
        if (outcome.refusal == DueRefusal::None)
            continue;
        const auto line = std::find_if(lines_.begin(), lines_.end(), [&](const Line& l) {
            return l.occurrence.line == outcome.occurrence.line &&
                   l.occurrence.month == outcome.occurrence.month;
        });
        const int row = static_cast<int>(line - lines_.begin());
        refused << QStringLiteral("%1  %2  %3: %4")
                       .arg(grid_->item(row, kDate)->text(), grid_->item(row, kCategory)->text(),
                            grid_->item(row, kDescription)->text(),
                            Shown(DueRefusalText(outcome.refusal, outcome.occurrence)));
    }
    if (!refused.isEmpty())
        services_.messages.Inform(
            this, kDueTitle,
            QStringLiteral("次の定期項目は記入しませんでした。次の起動のときにまた尋ねます。\n\n") +
                refused.join(u'\n'));
    ReportedIoFailure(services_.messages, this, kDueTitle, entry.io);
}

}  // namespace hanaki

#include "moc_due_items_screen.cpp"

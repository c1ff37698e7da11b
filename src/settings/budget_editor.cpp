#include "settings/budget_editor.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <limits>

#include "data/book/aggregation.h"
#include "data/book/amount_format.h"
#include "data/book/budget.h"
#include "ui/byte_limited_field.h"
#include "ui/cell_editor.h"
#include "ui/focus_cycle.h"
#include "ui/input_method_off.h"
#include "ui/io_failure.h"
#include "ui/message_service.h"
#include "ui/text_codec.h"

namespace hanaki {
namespace {

const QString kBudgetTitle = QStringLiteral("予算設定");
const QString kTooLarge = QStringLiteral("予算額は 2,147,483,647 円までです。");

constexpr long long kMaxBudget = std::numeric_limits<std::int32_t>::max();

}  // namespace

BudgetEditor::BudgetEditor(ProgramState& state, Services& services, QWidget* parent)
    : QDialog(parent),
      state_(state),
      services_(services),
      legendText_(
          LegendInTwoLines(QString::fromUtf8(GridKeys().legend), QStringLiteral("<Space>"))),
      controls_(this, legendText_) {
    setObjectName("Form13");
    setWindowTitle(kBudgetTitle);
    cellEditor_ =
        new CellEditor(controls_.budgetGrid, controls_.editor, controls_.legend, legendText_, this);

    setFixedSize(controls_.Place(services_.metrics.sizeClass()));
    ComputePastAverages();
    FillRows();
    controls_.ShowCheckBoxes(rows_);

    // Budgets are digits: with an input method left on they still come as keys,
    // so the first digit opens the editor and one Enter takes the figure.
    SwitchInputMethodOff(controls_.budgetGrid);
    controls_.budgetGrid->installEventFilter(this);
    controls_.budgetGrid->viewport()->installEventFilter(this);
    controls_.editor->installEventFilter(this);
    for (QPushButton* button :
         {controls_.saveButton, controls_.reloadButton, controls_.cancelButton}) {
        button->setAutoDefault(false);
        button->installEventFilter(this);
    }
    connect(controls_.budgetGrid, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previousRow, int) {
                ApplySelectionRule(row + 1, previousRow + 1);
            });
    connect(controls_.budgetGrid->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { CommitEdit(); });
    connect(controls_.editor, &ByteLimitedField::refused, controls_.legend, &QLabel::setText);
    connect(controls_.saveButton, &QPushButton::clicked, this, &BudgetEditor::Save);
    connect(controls_.reloadButton, &QPushButton::clicked, this, &BudgetEditor::Reload);
    connect(controls_.cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    controls_.budgetGrid->setCurrentCell(0, 0);
    ApplySelectionRule(controls_.budgetGrid->currentRow() + 1, 0);
    controls_.budgetGrid->setFocus();
}

void BudgetEditor::ComputePastAverages() {
    TrendTotals trend;
    const AggregationReport report =
        AggregateTwelveMonths(state_.folder, state_.categories, state_.settings, state_.date.year,
                              state_.date.month, trend);
    ReportedIoFailure(services_.messages, this, kBudgetTitle, report.io);
    pastAverages_ = PastAverages(trend);
    // Every average stays 0 under "過 去 平 均" when no month has items.
    if (const int months = MonthsWithItems(trend); months > 0)
        controls_.infoGrid->horizontalHeaderItem(3)->setText(
            QStringLiteral("過去%1ヶ月平均").arg(months));
}

QTableWidgetItem* BudgetEditor::InfoCell(int row, int column) const {
    return controls_.infoGrid->item(row - 1, column);
}

QTableWidgetItem* BudgetEditor::BudgetCell(int row) const {
    return controls_.budgetGrid->item(row - 1, 0);
}

int BudgetEditor::CategoryAt(int row) const {
    return InfoCell(row, 0)->text().toInt();
}

void BudgetEditor::FillRows() {
    const CategoryTable& table = state_.categories;
    rows_ = BudgetRows::Of(table);

    controls_.ShowCategories(table, rows_, pastAverages_);
    Reload();
}

bool BudgetEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == controls_.editor && event->type() == QEvent::FocusOut) {
        if (LeftForAnotherPlace(static_cast<QFocusEvent*>(event)))
            CommitEdit();
        return false;
    }
    if (watched == controls_.budgetGrid->viewport() &&
        (event->type() == QEvent::MouseButtonPress ||
         event->type() == QEvent::MouseButtonDblClick)) {
        const int row = controls_.budgetGrid->rowAt(
                            static_cast<QMouseEvent*>(event)->position().toPoint().y()) +
                        1;
        controls_.budgetGrid->setFocus(Qt::MouseFocusReason);  // commits an open edit
        if (row >= 1)
            MoveSelection(row);
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (watched == controls_.budgetGrid)
        return GridKeys().Run(key) || TakeTyped(key);
    return KeysOf(watched).Run(key);
}

KeyTable BudgetEditor::KeysNow() {
    return KeysOf(focusWidget());
}

KeyTable BudgetEditor::KeysOf(QObject* focus) {
    if (focus == controls_.budgetGrid)
        return GridKeys();
    if (focus == controls_.editor)
        return EditorKeys();
    // Enter and Space press a button, Esc closes unsaved, Tab steps on.
    if (auto* button = qobject_cast<QPushButton*>(focus))
        return ButtonRowKeys(*this, button, FocusCycle());
    return {};
}

std::vector<QWidget*> BudgetEditor::FocusCycle() const {
    return {controls_.budgetGrid, controls_.saveButton, controls_.reloadButton,
            controls_.cancelButton};
}

// Enter opens the cell editor, whose Enter the legend names.
KeyTable BudgetEditor::GridKeys() {
    auto move = [this](int step) { MoveSelection(controls_.budgetGrid->currentRow() + 1 + step); };
    auto stepFocus = [this](bool forward) {
        StepFocus(FocusCycle(), controls_.budgetGrid, forward);
    };
    return {
        "<Esc>設定破棄  <↑↓>費目選択  <数字キー>予算設定  <Enter>確定      "
        "<Space>集計フラグ(集計時に加えるかどうかの選択です。)",
        {{{Qt::Key_Escape}, "<Esc>設定破棄", [this] { reject(); }},
         {{Qt::Key_Up}, "<↑↓>費目選択", [move] { move(-1); }},
         {{Qt::Key_Down}, "<↑↓>費目選択", [move] { move(1); }},
         TakenElsewhere("<数字キー>予算設定"),  // TakeTyped
         TakenElsewhere("<Enter>確定"),         // the cell editor's (EditorKeys)
         {{Qt::Key_PageUp, Qt::Key_Home}, "", [this] { MoveSelection(1); }},
         {{Qt::Key_PageDown, Qt::Key_End}, "", [this] { MoveSelection(kBudgetRows); }},
         {kEnterKeys, "", [this] { BeginCellEdit(CellEditStart::KeepText); }},
         {{Qt::Key_Space},
          "<Space>集計フラグ(集計時に加えるかどうかの選択です。)",
          [this] { FlipFlag(); }},
         {{Qt::Key_Backspace, Qt::Key_Delete}, "", [this] { BeginCellEdit(CellEditStart::Clear); }},
         {{Qt::Key_Tab}, "", [stepFocus] { stepFocus(true); }},
         {{Qt::Key_Backtab}, "", [stepFocus] { stepFocus(false); }}}};
}

// <数字キー>予算設定; any other character does nothing.
bool BudgetEditor::TakeTyped(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.isEmpty() || (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    if (text.front() >= u'0' && text.front() <= u'9')
        BeginCellEdit(CellEditStart::Typed, text.front());
    return true;
}

// The grid's legend stays on screen and names the Enter here.
KeyTable BudgetEditor::EditorKeys() {
    auto stepFocus = [this](bool forward) {
        if (CommitEdit())
            StepFocus(FocusCycle(), controls_.budgetGrid, forward);
    };
    return {"",
            {{{Qt::Key_Escape}, "", [this] { DiscardEdit(); }},
             {kEnterKeys, "", [this] { CommitEdit(); }},
             {{Qt::Key_Tab}, "", [stepFocus] { stepFocus(true); }},
             {{Qt::Key_Backtab}, "", [stepFocus] { stepFocus(false); }}}};
}

void BudgetEditor::MoveSelection(int row) {
    // Moved here rather than by the grid, whose own move would leave its
    // highlight on the row passed over.
    const int resting = rows_.RestingRow(row, controls_.budgetGrid->currentRow() + 1);
    if (resting != 0)
        controls_.budgetGrid->setCurrentCell(resting - 1, 0);
}

void BudgetEditor::ApplySelectionRule(int row, int previousRow) {
    if (row < 1)
        return;
    if (!rows_.IsCategoryRow(row)) {
        if (const int resting = rows_.RestingRow(row, previousRow); resting != 0)
            controls_.budgetGrid->setCurrentCell(resting - 1, 0);
        return;
    }
    const CategoryTable& table = state_.categories;
    const int category = CategoryAt(row);
    const int descriptions = table.DescriptionCount(category);
    for (int d = 1; d <= kMaxDescriptions; ++d)
        InfoCell(d, 2)->setText(d <= descriptions ? FromCp932(table.descriptions[category][d])
                                                  : QString());
    controls_.infoGrid->setCurrentCell(row - 1, 1);
}

void BudgetEditor::BeginCellEdit(CellEditStart start, QChar typed) {
    const int row = controls_.budgetGrid->currentRow() + 1;
    if (!rows_.IsCategoryRow(row))
        return;
    if (start == CellEditStart::KeepText) {
        const QString digits = BudgetDigits(BudgetCell(row)->text());
        OpenEditor(digits, static_cast<int>(digits.size()));
    } else if (start == CellEditStart::Clear) {
        OpenEditor(QString(), 0);
    } else if (start == CellEditStart::Typed) {
        OpenEditor(QString(typed), 1);
    }
}

void BudgetEditor::OpenEditor(const QString& text, int caret) {
    QTableWidgetItem* item = controls_.budgetGrid->currentItem();
    if (item == nullptr || !rows_.IsCategoryRow(item->row() + 1))
        return;
    cellEditor_->Open(item, text, caret);
}

bool BudgetEditor::CommitEdit() {
    if (!cellEditor_->IsOpen())
        return true;
    const QString digits = controls_.editor->text();
    const long long value = digits.toLongLong();
    // Budgets are summed as 32-bit numbers: a larger one is refused, not wrapped.
    if (value > kMaxBudget) {
        services_.messages.Inform(this, kBudgetTitle, kTooLarge);
        controls_.editor->setFocus();
        return false;
    }
    cellEditor_->Commit(digits.isEmpty() ? QString() : GroupedYen(value));
    controls_.ShowBudgetSums(rows_);
    return true;
}

void BudgetEditor::DiscardEdit() {
    cellEditor_->Discard();
}

void BudgetEditor::FlipFlag() {
    const int row = controls_.budgetGrid->currentRow() + 1;
    if (!rows_.IsCategoryRow(row))
        return;
    QCheckBox* check = CheckBeside(row);
    // The greyed third state stays as it is.
    if (check->checkState() != Qt::PartiallyChecked)
        check->setCheckState(check->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

QString BudgetEditor::ShownBudget(int category) const {
    // As every other screen reads it, marked alike; saved back unchanged unless edited.
    const BudgetReading budget = ReadBudget(state_.settings.budgets[category]);
    const QString shown = QString::fromStdString(budget.shown);
    return budget.marked() ? shown + QString::fromLatin1(kUnusableBudgetMark) : shown;
}

Qt::CheckState BudgetEditor::ShownFlag(int category) const {
    switch (state_.settings.summaryFlags[category]) {
        case 0:
            return Qt::Unchecked;
        case 2:
            return Qt::PartiallyChecked;
        default:
            return Qt::Checked;
    }
}

void BudgetEditor::Reload() {
    for (int row = 1; row <= kBudgetRows; ++row) {
        if (!rows_.IsCategoryRow(row))
            continue;
        const int c = CategoryAt(row);
        BudgetCell(row)->setText(ShownBudget(c));
        CheckBeside(row)->setTristate(ShownFlag(c) == Qt::PartiallyChecked);
        CheckBeside(row)->setCheckState(ShownFlag(c));
    }
    controls_.ShowBudgetSums(rows_);
}

void BudgetEditor::Save() {
    if (!CommitEdit())
        return;  // a refused budget is still in the editor
    std::vector<std::string> lost;
    if (ReportedIoFailure(services_.messages, this, kBudgetTitle,
                          FindLostByBudgetRewrite(state_.folder, lost)))
        return;
    if (!lost.empty()) {
        QStringList names;
        for (const std::string& name : lost)
            names << QString::fromStdString(name);
        const QString question =
            QStringLiteral(
                "設定ファイル(Veradiv.Env)の次の内容は読み取れないため、保存すると"
                "失われます。\n\n%1\n\nこのまま保存しますか？")
                .arg(names.join(u'\n'));
        if (!services_.messages.Confirm(this, kBudgetTitle, question)) {
            controls_.budgetGrid->setFocus();
            return;
        }
    }
    Settings updated = state_.settings;
    for (int row = 1; row <= kBudgetRows; ++row) {
        if (!rows_.IsCategoryRow(row))
            continue;
        const int c = CategoryAt(row);
        // What the user left as shown is kept as stored, numbers or not.
        const QString shown = BudgetCell(row)->text();
        if (shown != ShownBudget(c)) {
            const QString digits = BudgetDigits(shown);
            updated.budgets[c] =
                digits.isEmpty() ? std::string() : FormatPlain(double(digits.toLongLong()));
        }
        const Qt::CheckState flag = CheckBeside(row)->checkState();
        if (flag != ShownFlag(c))
            updated.summaryFlags[c] = flag == Qt::Unchecked ? 0 : flag == Qt::Checked ? 1 : 2;
    }
    if (ReportedIoFailure(services_.messages, this, kBudgetTitle,
                          WriteBudgets(state_.folder, updated)))
        return;
    state_.settings.budgets = updated.budgets;
    state_.settings.summaryFlags = updated.summaryFlags;
    accept();
}

}  // namespace hanaki

#include "moc_budget_editor.cpp"

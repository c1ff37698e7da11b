#include "settings/budget_editor.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <limits>

#include "data/aggregation.h"
#include "data/amount_format.h"
#include "settings/cell_editor.h"
#include "settings/focus_cycle.h"
#include "ui/byte_limited_field.h"
#include "ui/fonts.h"
#include "ui/io_failure.h"
#include "ui/message_service.h"
#include "ui/row_tints.h"
#include "ui/screen_metrics.h"
#include "ui/text_codec.h"

namespace hanaki {
namespace {

const QString kTitle = QStringLiteral("予算設定");
const QString kLegend = QStringLiteral(
    "<Esc>設定破棄  <↑↓>費目選択  <数字キー>予算設定  <Enter>確定      "
    "<Space>集計フラグ(集計時に加えるかどうかの選択です。)");
const QString kTooLarge = QStringLiteral("予算額は 2,147,483,647 円までです。");

constexpr int kRows = 22;  // 20 categories and two total rows at most
constexpr long long kMaxBudget = std::numeric_limits<std::int32_t>::max();

// Every printable ASCII character but the digits.
QString NonDigits() {
    QString characters;
    for (char c = ' '; c <= '~'; ++c) {
        if (c < '0' || c > '9')
            characters += QLatin1Char(c);
    }
    return characters;
}

// "1,234,567" → "1234567": the editor gets the digits alone, so ten of them fit.
QString Digits(const QString& shown) {
    return QString(shown).remove(u',');
}

QString Grouped(long long value) {
    return QString::fromStdString(FormatGrouped(double(value)));
}

QTableWidget* NewGrid(int columns, QWidget* parent) {
    auto* grid = new QTableWidget(kRows, columns, parent);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setTabKeyNavigation(false);
    grid->verticalHeader()->hide();
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < columns; ++c)
            grid->setItem(r, c, new QTableWidgetItem);
    }
    return grid;
}

}  // namespace

BudgetEditor::BudgetEditor(ProgramState& state, Services& services, QWidget* parent)
    : QDialog(parent), state_(state), services_(services) {
    setObjectName("Form13");
    setWindowTitle(kTitle);

    infoGrid_ = NewGrid(4, this);
    infoGrid_->setObjectName("Grid1");
    infoGrid_->setFocusPolicy(Qt::NoFocus);  // the budget grid keeps the focus
    budgetGrid_ = NewGrid(1, this);
    budgetGrid_->setObjectName("Grid2");
    for (int i = 0; i <= 20; ++i) {
        checks_[i] = new QCheckBox(this);
        checks_[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));
        checks_[i]->setFocusPolicy(Qt::NoFocus);  // Space on the grid flips them
    }
    editor_ = new ByteLimitedField(10, budgetGrid_->viewport());
    editor_->setObjectName("Text1");
    editor_->setAsciiOnly(true);
    editor_->setForbiddenCharacters(NonDigits());
    editor_->hide();
    const QString legend = LegendInTwoLines(kLegend, QStringLiteral("<Space>"));
    legend_ = new QLabel(legend, this);
    legend_->setObjectName("Label1");
    cellEditor_ = new CellEditor(budgetGrid_, editor_, legend_, legend, this);
    flagHeading_ = new QLabel(QStringLiteral(" 集計on"), this);
    flagHeading_->setObjectName("Label2");
    saveButton_ = new QPushButton(QStringLiteral("保存終了"), this);
    saveButton_->setObjectName("Command3");
    reloadButton_ = new QPushButton(QStringLiteral("再読み込み"), this);
    reloadButton_->setObjectName("Command2");
    cancelButton_ = new QPushButton(QStringLiteral("キャンセル"), this);
    cancelButton_->setObjectName("Command1");

    BuildGrids();
    ComputePastAverages();
    FillRows();
    PlaceCheckBoxes();

    budgetGrid_->installEventFilter(this);
    budgetGrid_->viewport()->installEventFilter(this);
    editor_->installEventFilter(this);
    for (QPushButton* button : {saveButton_, reloadButton_, cancelButton_}) {
        button->setAutoDefault(false);
        button->installEventFilter(this);
    }
    connect(budgetGrid_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previousRow, int) {
                ApplySelectionRule(row + 1, previousRow + 1);
            });
    connect(budgetGrid_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { CommitEdit(); });
    connect(editor_, &ByteLimitedField::refused, legend_, &QLabel::setText);
    connect(saveButton_, &QPushButton::clicked, this, &BudgetEditor::Save);
    connect(reloadButton_, &QPushButton::clicked, this, &BudgetEditor::Reload);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    budgetGrid_->setCurrentCell(0, 0);
    ApplySelectionRule(budgetGrid_->currentRow() + 1, 0);
    budgetGrid_->setFocus();
}

void BudgetEditor::BuildGrids() {
    const bool small = services_.metrics.below600();
    const QFont font = GothicFont(small ? 9 : 11);
    rowPixels_ = TwipsToPixels(small ? 225 : 268);
    const int top = TwipsToPixels(80);
    int left = TwipsToPixels(900);
    const std::array<int, 4> infoWidths{400, 1600, 1600, 1750};
    const QStringList infoHeadings{QString(), QStringLiteral("費   目"), QStringLiteral("摘 　要"),
                                   QStringLiteral("過 去 平 均")};
    for (QTableWidget* grid : {infoGrid_, budgetGrid_}) {
        grid->setFont(font);
        grid->horizontalHeader()->setFont(font);
        grid->horizontalHeader()->setFixedHeight(rowPixels_);
        grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        grid->verticalHeader()->setMinimumSectionSize(1);
        grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        grid->verticalHeader()->setDefaultSectionSize(rowPixels_);
    }
    int width = 0;
    for (int c = 0; c < 4; ++c) {
        infoGrid_->setColumnWidth(c, TwipsToPixels(infoWidths[c]));
        width += TwipsToPixels(infoWidths[c]);
    }
    infoGrid_->setHorizontalHeaderLabels(infoHeadings);
    budgetGrid_->setColumnWidth(0, TwipsToPixels(1500));
    budgetGrid_->setHorizontalHeaderLabels({QStringLiteral("予 算 額")});

    const int frame = 2 * infoGrid_->frameWidth();
    const int height = rowPixels_ * (kRows + 1) + frame;
    infoGrid_->setGeometry(left, top, width + frame, height);
    left += width + frame;
    budgetGrid_->setGeometry(left, top, TwipsToPixels(1500) + frame, height);
    flagHeading_->setFont(font);
    flagHeading_->setGeometry(0, top, TwipsToPixels(900), rowPixels_);

    const int windowWidth = left + TwipsToPixels(1500) + frame + TwipsToPixels(120);
    int y = top + height + TwipsToPixels(80);
    legend_->setFont(font);
    legend_->setGeometry(TwipsToPixels(120), y, windowWidth - TwipsToPixels(240), rowPixels_ * 2);
    y += rowPixels_ * 2 + TwipsToPixels(80);
    int x = windowWidth - TwipsToPixels(120);
    for (QPushButton* button : {cancelButton_, reloadButton_, saveButton_}) {
        x -= TwipsToPixels(1500);
        button->setGeometry(x, y, TwipsToPixels(1400), TwipsToPixels(450));
    }
    setFixedSize(windowWidth, y + TwipsToPixels(570));
}

void BudgetEditor::ComputePastAverages() {
    TrendTotals trend;
    const AggregationReport report =
        AggregateTwelveMonths(state_.folder, state_.categories, state_.settings, state_.date.year,
                              state_.date.month, trend);
    ReportedIoFailure(services_.messages, this, kTitle, report.io);
    const int months = MonthsWithItems(trend);
    if (months == 0)
        return;  // every average stays 0 under "過 去 平 均"
    for (int c = 1; c <= kMaxCategories; ++c) {
        long long sum = 0;
        for (const MonthTotals& month : trend.months)
            sum = RoundHalfEven(double(sum) + month.at(c, 0));
        if (sum > 0)
            pastAverages_[c] = RoundHalfEven(double(sum) / months) / 1000 * 1000;
    }
    infoGrid_->horizontalHeaderItem(3)->setText(QStringLiteral("過去%1ヶ月平均").arg(months));
}

QTableWidgetItem* BudgetEditor::InfoCell(int row, int column) const {
    return infoGrid_->item(row - 1, column);
}

QTableWidgetItem* BudgetEditor::BudgetCell(int row) const {
    return budgetGrid_->item(row - 1, 0);
}

bool BudgetEditor::IsCategoryRow(int row) const {
    return (row >= 1 && row <= incomeCount_) ||
           (row >= incomeCount_ + 2 && row <= incomeCount_ + expenseCount_ + 1);
}

int BudgetEditor::CategoryAt(int row) const {
    return InfoCell(row, 0)->text().toInt();
}

void BudgetEditor::FillRows() {
    const CategoryTable& table = state_.categories;
    const int categories = table.CategoryCount();
    for (int c = 1; c <= categories; ++c)
        ++(table.IsExpense(c) ? expenseCount_ : incomeCount_);

    infoGrid_->setUpdatesEnabled(false);
    int incomeRow = 1;
    int expenseRow = incomeCount_ + 2;
    std::array<long long, 2> averageSums{};  // income, expense
    for (int c = 1; c <= categories; ++c) {
        const bool expense = table.IsExpense(c);
        const int row = expense ? expenseRow++ : incomeRow++;
        InfoCell(row, 0)->setText(QString::number(c));
        InfoCell(row, 1)->setText(FromCp932(table.names[c]));
        InfoCell(row, 3)->setText(Grouped(pastAverages_[c]));
        const QColor tint = expense ? kExpenseTint : kIncomeTint;
        for (QTableWidgetItem* cell : {InfoCell(row, 1), InfoCell(row, 3), BudgetCell(row)})
            cell->setBackground(tint);
        averageSums[expense ? 1 : 0] += pastAverages_[c];
    }
    InfoCell(incomeCount_ + 1, 1)->setText(QStringLiteral("       入金計"));
    InfoCell(incomeCount_ + 1, 3)->setText(Grouped(averageSums[0]));
    InfoCell(incomeCount_ + expenseCount_ + 2, 1)->setText(QStringLiteral("       出金計"));
    InfoCell(incomeCount_ + expenseCount_ + 2, 3)->setText(Grouped(averageSums[1]));
    for (int row = 1; row <= kRows; ++row) {
        InfoCell(row, 3)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        BudgetCell(row)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    infoGrid_->setUpdatesEnabled(true);
    Reload();
}

void BudgetEditor::PlaceCheckBoxes() {
    const int top = infoGrid_->y() + infoGrid_->frameWidth() + rowPixels_;
    for (int i = 0; i <= 20; ++i) {
        checks_[i]->setGeometry(TwipsToPixels(460), top + rowPixels_ * i, TwipsToPixels(400),
                                rowPixels_);
        // Only category rows carry a flag.
        checks_[i]->setVisible(IsCategoryRow(i + 1));
    }
}

bool BudgetEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_ && event->type() == QEvent::FocusOut) {
        if (LeftForAnotherPlace(static_cast<QFocusEvent*>(event)))
            CommitEdit();
        return false;
    }
    if (watched == budgetGrid_->viewport() && (event->type() == QEvent::MouseButtonPress ||
                                               event->type() == QEvent::MouseButtonDblClick)) {
        const int row =
            budgetGrid_->rowAt(static_cast<QMouseEvent*>(event)->position().toPoint().y()) + 1;
        budgetGrid_->setFocus(Qt::MouseFocusReason);  // commits an open edit
        if (row >= 1)
            MoveSelection(row);
        return true;
    }
    if (watched == budgetGrid_ && event->type() == QEvent::InputMethod) {
        // Full-width digits from an input method left on go in as digits.
        auto* input = static_cast<QInputMethodEvent*>(event);
        if (!input->commitString().isEmpty() || !input->preeditString().isEmpty()) {
            OpenEditor(QString(), 0);
            QApplication::sendEvent(editor_, input);
        }
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == budgetGrid_)
        return GridKey(key);
    if (watched == editor_)
        return EditorKey(key);
    // Enter and Space press a button, Esc closes unsaved, Tab steps on.
    if (auto* button = qobject_cast<QPushButton*>(watched))
        return ButtonRowKey(*this, button, key, FocusCycle());
    return false;
}

std::vector<QWidget*> BudgetEditor::FocusCycle() const {
    return {budgetGrid_, saveButton_, reloadButton_, cancelButton_};
}

bool BudgetEditor::GridKey(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:  // <Space>集計フラグ
            FlipFlag();
            return true;
        case Qt::Key_Return:  // <Enter>確定 once the editor is open
        case Qt::Key_Enter:
            BeginCellEdit(CellEditStart::KeepText);
            return true;
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            BeginCellEdit(CellEditStart::Clear);
            return true;
        case Qt::Key_Escape:  // <Esc>設定破棄
            reject();
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            StepFocus(FocusCycle(), budgetGrid_, event->key() == Qt::Key_Tab);
            return true;
        default:
            break;
    }
    const int row = budgetGrid_->currentRow() + 1;
    switch (event->key()) {  // <↑↓>費目選択, and the grid's other movement keys
        case Qt::Key_Up:
            MoveSelection(row - 1);
            return true;
        case Qt::Key_Down:
            MoveSelection(row + 1);
            return true;
        case Qt::Key_PageUp:
        case Qt::Key_Home:
            MoveSelection(1);
            return true;
        case Qt::Key_PageDown:
        case Qt::Key_End:
            MoveSelection(kRows);
            return true;
        default:
            break;
    }
    // <数字キー>予算設定; any other character does nothing.
    const QString text = event->text();
    if (text.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    if (text.front() >= u'0' && text.front() <= u'9')
        BeginCellEdit(CellEditStart::Typed, text.front());
    return true;
}

bool BudgetEditor::EditorKey(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            DiscardEdit();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            CommitEdit();
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            if (CommitEdit())
                StepFocus(FocusCycle(), budgetGrid_, event->key() == Qt::Key_Tab);
            return true;
        default:
            return false;
    }
}

int BudgetEditor::RestingRow(int row, int previousRow) const {
    if (IsCategoryRow(row))
        return row;
    // Off the category rows (a heading, a total row, the rows below): go on in
    // the direction of the move, else back; with no category nowhere. The
    // income total row is passed downwards only from the last income row;
    // reached any other way (a click, a jump) it gives way upwards.
    const bool down = row == incomeCount_ + 1 ? previousRow == incomeCount_ : row >= previousRow;
    const int step = down ? 1 : -1;
    for (int direction : {step, -step}) {
        for (int r = row + direction; r >= 1 && r <= kRows; r += direction) {
            if (IsCategoryRow(r))
                return r;
        }
    }
    return 0;
}

void BudgetEditor::MoveSelection(int row) {
    // Moved here rather than by the grid, whose own move would leave its
    // highlight on the row passed over.
    const int resting = RestingRow(row, budgetGrid_->currentRow() + 1);
    if (resting != 0)
        budgetGrid_->setCurrentCell(resting - 1, 0);
}

void BudgetEditor::ApplySelectionRule(int row, int previousRow) {
    if (row < 1)
        return;
    if (!IsCategoryRow(row)) {
        if (const int resting = RestingRow(row, previousRow); resting != 0)
            budgetGrid_->setCurrentCell(resting - 1, 0);
        return;
    }
    const CategoryTable& table = state_.categories;
    const int category = CategoryAt(row);
    const int descriptions = table.DescriptionCount(category);
    for (int d = 1; d <= kMaxDescriptions; ++d)
        InfoCell(d, 2)->setText(d <= descriptions ? FromCp932(table.descriptions[category][d])
                                                  : QString());
    infoGrid_->setCurrentCell(row - 1, 1);
}

void BudgetEditor::BeginCellEdit(CellEditStart start, QChar typed) {
    const int row = budgetGrid_->currentRow() + 1;
    if (!IsCategoryRow(row))
        return;
    if (start == CellEditStart::KeepText) {
        const QString digits = Digits(BudgetCell(row)->text());
        OpenEditor(digits, static_cast<int>(digits.size()));
    } else if (start == CellEditStart::Clear) {
        OpenEditor(QString(), 0);
    } else if (start == CellEditStart::Typed) {
        OpenEditor(QString(typed), 1);
    }
}

void BudgetEditor::OpenEditor(const QString& text, int caret) {
    QTableWidgetItem* item = budgetGrid_->currentItem();
    if (item == nullptr || !IsCategoryRow(item->row() + 1))
        return;
    cellEditor_->Open(item, text, caret);
}

bool BudgetEditor::CommitEdit() {
    if (!cellEditor_->IsOpen())
        return true;
    const QString digits = editor_->text();
    const long long value = digits.toLongLong();
    // Budgets are summed as 32-bit numbers: a larger one is refused, not wrapped.
    if (value > kMaxBudget) {
        services_.messages.Inform(this, kTitle, kTooLarge);
        editor_->setFocus();
        return false;
    }
    cellEditor_->Commit(digits.isEmpty() ? QString() : Grouped(value));
    ShowBudgetSums();
    return true;
}

void BudgetEditor::DiscardEdit() {
    cellEditor_->Discard();
}

void BudgetEditor::FlipFlag() {
    const int row = budgetGrid_->currentRow() + 1;
    if (!IsCategoryRow(row))
        return;
    QCheckBox* check = CheckBeside(row);
    // The greyed third state stays as it is.
    if (check->checkState() != Qt::PartiallyChecked)
        check->setCheckState(check->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

QString BudgetEditor::ShownBudget(int category) const {
    const std::string& stored = state_.settings.budgets[category];
    const std::optional<long long> value = state_.settings.BudgetValue(category);
    // What is no number is shown as it stands and saved back unchanged.
    return value ? Grouped(*value) : FromCp932(stored);
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
    for (int row = 1; row <= kRows; ++row) {
        if (!IsCategoryRow(row))
            continue;
        const int c = CategoryAt(row);
        BudgetCell(row)->setText(ShownBudget(c));
        CheckBeside(row)->setTristate(ShownFlag(c) == Qt::PartiallyChecked);
        CheckBeside(row)->setCheckState(ShownFlag(c));
    }
    ShowBudgetSums();
}

void BudgetEditor::ShowBudgetSums() {
    // Sixty-four bits: twenty budgets of up to 2,147,483,647 add up past 32.
    std::array<long long, 2> sums{};  // income, expense
    for (int row = 1; row <= kRows; ++row) {
        const QString digits = Digits(BudgetCell(row)->text());
        if (IsCategoryRow(row) && !digits.isEmpty())
            sums[row <= incomeCount_ ? 0 : 1] += digits.toLongLong();
    }
    BudgetCell(incomeCount_ + 1)->setText(Grouped(sums[0]));
    BudgetCell(incomeCount_ + expenseCount_ + 2)->setText(Grouped(sums[1]));
}

void BudgetEditor::Save() {
    if (!CommitEdit())
        return;  // a refused budget is still in the editor
    std::vector<std::string> lost;
    if (ReportedIoFailure(services_.messages, this, kTitle,
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
        if (!services_.messages.Confirm(this, kTitle, question)) {
            budgetGrid_->setFocus();
            return;
        }
    }
    Settings updated = state_.settings;
    for (int row = 1; row <= kRows; ++row) {
        if (!IsCategoryRow(row))
            continue;
        const int c = CategoryAt(row);
        // What the user left as shown is kept as stored, numbers or not.
        const QString shown = BudgetCell(row)->text();
        if (shown != ShownBudget(c)) {
            const QString digits = Digits(shown);
            updated.budgets[c] =
                digits.isEmpty() ? std::string() : FormatPlain(double(digits.toLongLong()));
        }
        const Qt::CheckState flag = CheckBeside(row)->checkState();
        if (flag != ShownFlag(c))
            updated.summaryFlags[c] = flag == Qt::Unchecked ? 0 : flag == Qt::Checked ? 1 : 2;
    }
    if (ReportedIoFailure(services_.messages, this, kTitle, WriteBudgets(state_.folder, updated)))
        return;
    state_.settings.budgets = updated.budgets;
    state_.settings.summaryFlags = updated.summaryFlags;
    accept();
}

}  // namespace hanaki

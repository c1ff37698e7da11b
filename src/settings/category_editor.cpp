#include "settings/category_editor.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/formats/cp932.h"
#include "settings/category_cell_rules.h"
#include "settings/category_save_question.h"
#include "ui/byte_limited_field.h"
#include "ui/cell_editor.h"
#include "ui/focus_cycle.h"
#include "ui/fonts.h"
#include "ui/io_failure.h"
#include "ui/message_service.h"
#include "ui/row_tints.h"
#include "ui/screen_metrics.h"
#include "ui/text_codec.h"

namespace hanaki {
namespace {

const QString kCategoryTitle = QStringLiteral("費目、摘要設定");
const QString kSignHint = QStringLiteral("摘要の先頭に「+」「-」は使えません");
const QString kFirstEntryHint = QStringLiteral("費目1 とその摘要1 を入力してから保存して下さい");

constexpr int kColumns = 21;  // the name and 20 descriptions
// The window by screen-size class; the grid scrolls, so it fits the smallest screens whole.
constexpr int kWindowTwips[3][2] = {{9000, 6000}, {11000, 7600}, {14000, 7600}};

// Each cell keeps the bytes it was filled with, so that a name the screen
// cannot show (bytes that are no code page 932 character) is saved unchanged.
constexpr int kBytesRole = Qt::UserRole;

}  // namespace

CategoryEditor::CategoryEditor(ProgramState& state, Services& services, QWidget* parent)
    : QDialog(parent), state_(state), services_(services) {
    setObjectName("Form3");
    setWindowTitle(kCategoryTitle);

    grid_ = new QTableWidget(kMaxCategories, kColumns, this);
    grid_->setObjectName("Grid1");
    grid_->setFont(GothicFont(12));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setTabKeyNavigation(false);
    grid_->verticalHeader()->setFixedWidth(TwipsToPixels(1000));
    grid_->horizontalHeader()->setDefaultSectionSize(TwipsToPixels(1600));
    QStringList headings{QStringLiteral("費  目")};
    for (int j = 1; j <= kMaxDescriptions; ++j)
        headings << QStringLiteral("摘要 ") + QString::number(j);
    grid_->setHorizontalHeaderLabels(headings);
    QStringList rowHeadings;
    for (int r = 1; r <= kMaxCategories; ++r)
        rowHeadings << QStringLiteral("費目") + QString::number(r);
    grid_->setVerticalHeaderLabels(rowHeadings);
    for (int r = 0; r < kMaxCategories; ++r) {
        for (int c = 0; c < kColumns; ++c)
            grid_->setItem(r, c, new QTableWidgetItem);
    }

    editor_ = new ByteLimitedField(static_cast<int>(kNameBytes), grid_->viewport());
    editor_->setObjectName("Text1");
    editor_->setFont(GothicFont(12));
    editor_->setForbiddenCharacters(QStringLiteral(","));
    editor_->hide();
    descriptionRule_ = new NoLeadingSign([this] { ShowHint(kSignHint); }, this);
    connect(editor_, &ByteLimitedField::refused, this, &CategoryEditor::ShowHint);

    const QString legend =
        LegendInTwoLines(QString::fromUtf8(GridKeys().legend), QStringLiteral("注:"));
    legend_ = new QLabel(legend, this);
    legend_->setObjectName("Label1");
    legend_->setFont(GothicFont(services_.metrics.below600() ? 9 : 10));
    cellEditor_ = new CellEditor(grid_, editor_, legend_, legend, this);

    saveButton_ = new QPushButton(QStringLiteral("保存終了"), this);
    saveButton_->setObjectName("Command3");
    reloadButton_ = new QPushButton(QStringLiteral("再読み込み"), this);
    reloadButton_->setObjectName("Command2");
    cancelButton_ = new QPushButton(QStringLiteral("キャンセル"), this);
    cancelButton_->setObjectName("Command1");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {saveButton_, reloadButton_, cancelButton_}) {
        button->setAutoDefault(false);
        button->installEventFilter(this);
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addWidget(legend_);
    layout->addLayout(buttons);
    const int* window = kWindowTwips[static_cast<int>(services_.metrics.sizeClass())];
    resize(TwipsToPixels(window[0]), TwipsToPixels(window[1]));

    grid_->installEventFilter(this);
    editor_->installEventFilter(this);
    // Scrolling moves the cell away from under the editor: the edit is taken as it stands.
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { CommitEdit(); });
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { CommitEdit(); });
    connect(saveButton_, &QPushButton::clicked, this, &CategoryEditor::Save);
    connect(reloadButton_, &QPushButton::clicked, this,
            [this] { FillFromTable(state_.categories); });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    for (int r = 1; r <= kMaxCategories; ++r) {
        if (r <= 3)
            SetRowKind(r, CategoryKind::Income, kIncomeTint);
        else
            SetRowKind(r, CategoryKind::Expense, kExpenseTint);
    }
    grid_->setCurrentCell(0, 0);
    grid_->setFocus();
    if (!state_.folder.Exists(kCategoryFileName)) {
        reloadButton_->setEnabled(false);
        return;
    }
    // A file that cannot be read leaves the table in memory as it was.
    ReportedIoFailure(services_.messages, this, kCategoryTitle,
                      LoadCategoryTable(state_.folder, state_.categories, reading_));
    FillFromTable(state_.categories);
}

QTableWidgetItem* CategoryEditor::Cell(int row, int column) const {
    return grid_->item(row - 1, column - 1);
}

QString CategoryEditor::CellText(int row, int column) const {
    return Cell(row, column)->text();
}

bool CategoryEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_ && event->type() == QEvent::FocusOut) {
        if (LeftForAnotherPlace(static_cast<QFocusEvent*>(event)))
            CommitEdit();
        return false;
    }
    if (watched == grid_ && event->type() == QEvent::InputMethod) {
        GridInputMethod(static_cast<QInputMethodEvent*>(event));
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (watched == grid_)
        return GridKeys().Run(key) || TakeTyped(key);
    return KeysOf(watched).Run(key);
}

KeyTable CategoryEditor::KeysNow() {
    return KeysOf(focusWidget());
}

KeyTable CategoryEditor::KeysOf(QObject* focus) {
    if (focus == grid_)
        return GridKeys();
    if (focus == editor_)
        return EditorKeys();
    // Enter and Space press a button, Esc closes unsaved, Tab steps on.
    if (auto* button = qobject_cast<QPushButton*>(focus))
        return ButtonRowKeys(*this, button, FocusCycle());
    return {};
}

std::vector<QWidget*> CategoryEditor::FocusCycle() const {
    return {grid_, saveButton_, reloadButton_, cancelButton_};
}

// Space starts an edit as a typed character does (TakeTyped).
KeyTable CategoryEditor::GridKeys() {
    auto stepFocus = [this](bool forward) { StepFocus(FocusCycle(), grid_, forward); };
    return {
        "<Ins>赤-入金,青-出金 切り替え(費目上で)  <Enter,Space>編集  <Del>削除  <Esc>破棄  "
        "<Enter>確定    注:摘要は最低ひとつ必要です｡ 各項目 全角5文字以内",
        {{{Qt::Key_Insert}, "<Ins>赤-入金,青-出金 切り替え(費目上で)", [this] { FlipKind(); }},
         {kEnterKeys, "<Enter,Space>編集", [this] { BeginCellEdit(CellEditStart::KeepText); }},
         {{Qt::Key_Delete, Qt::Key_Backspace},
          "<Del>削除",
          [this] { BeginCellEdit(CellEditStart::Clear); }},
         {{Qt::Key_Escape}, "<Esc>破棄", [this] { reject(); }},  // without asking
         TakenElsewhere("<Enter>確定"),                          // the cell editor's (EditorKeys)
         {{Qt::Key_Tab}, "", [stepFocus] { stepFocus(true); }},
         {{Qt::Key_Backtab}, "", [stepFocus] { stepFocus(false); }}}};
}

// Every character typed on the grid starts an edit; the movement keys and
// shortcuts carry none and stay with the grid.
bool CategoryEditor::TakeTyped(const QKeyEvent& event) {
    return BeginByTyping(event,
                         [this](CellEditStart start, QChar typed) { BeginCellEdit(start, typed); });
}

// The grid's legend stays on screen and names the Enter here.
KeyTable CategoryEditor::EditorKeys() {
    auto stepFocus = [this](bool forward) {
        CommitEdit();
        StepFocus(FocusCycle(), grid_, forward);
    };
    return {"",
            {{{Qt::Key_Escape}, "", [this] { DiscardEdit(); }},  // the edit is dropped
             {kEnterKeys, "", [this] { CommitEdit(); }},
             {{Qt::Key_Tab}, "", [stepFocus] { stepFocus(true); }},
             {{Qt::Key_Backtab}, "", [stepFocus] { stepFocus(false); }}}};
}

void CategoryEditor::GridInputMethod(QInputMethodEvent* event) {
    if (!cellEditor_->IsOpen()) {
        if (event->commitString().isEmpty() && event->preeditString().isEmpty())
            return;
        // What the input method composes goes into an empty editor, under its limits.
        OpenEditor(QString(), 0, false);
    }
    cellEditor_->Compose(event);
}

void CategoryEditor::BeginCellEdit(CellEditStart start, QChar typed) {
    QTableWidgetItem* item = grid_->currentItem();
    if (item == nullptr)
        return;
    SetCellRule(item);
    cellEditor_->Begin(item, start, item->text(), typed);
}

void CategoryEditor::SetCellRule(const QTableWidgetItem* item) {
    // Names take any text; descriptions, in the columns after, no leading sign.
    editor_->setValidator(item->column() >= 1 ? descriptionRule_ : nullptr);
}

void CategoryEditor::OpenEditor(const QString& text, int caret, bool focus) {
    QTableWidgetItem* item = grid_->currentItem();
    if (item == nullptr)
        return;
    grid_->scrollToItem(item);
    SetCellRule(item);
    cellEditor_->Open(item, text, caret, focus);
}

void CategoryEditor::CommitEdit() {
    if (!cellEditor_->IsOpen())
        return;
    QString text = editor_->text();
    // A description keeps what the next reading gives back: one of blanks alone
    // would come back empty and end its list there, silently dropping the rest.
    if (editor_->validator() == descriptionRule_)
        text.remove(0, LeadingBlanks(text));
    cellEditor_->Commit(FitName(text));
}

void CategoryEditor::DiscardEdit() {
    cellEditor_->Discard();
}

void CategoryEditor::FlipKind() {
    const int row = grid_->currentRow() + 1;
    if (grid_->currentColumn() != 0 || CellText(row, 1).isEmpty())
        return;
    grid_->setUpdatesEnabled(false);
    if (rowKinds_[row] != CategoryKind::Income)
        SetRowKind(row, CategoryKind::Income, kIncomeTint);
    else
        SetRowKind(row, CategoryKind::Expense, kExpenseTint);
    grid_->setUpdatesEnabled(true);
}

void CategoryEditor::SetRowKind(int row, CategoryKind kind, const QColor& colour) {
    rowKinds_[row] = kind;
    for (int column = 1; column <= kColumns; ++column)
        Cell(row, column)->setBackground(colour);
}

void CategoryEditor::FillFromTable(const CategoryTable& table) {
    // Everything the table holds is shown, also past a gap, so that a save
    // that would drop it names it first.
    grid_->setUpdatesEnabled(false);
    auto fill = [](QTableWidgetItem* cell, const std::string& bytes) {
        cell->setText(FromCp932(bytes));
        cell->setData(kBytesRole, QByteArray::fromStdString(bytes));
    };
    for (int r = 1; r <= kMaxCategories; ++r) {
        fill(Cell(r, 1), table.names[r]);
        for (int j = 1; j <= kMaxDescriptions; ++j)
            fill(Cell(r, j + 1), table.descriptions[r][j]);
        if (!table.names[r].empty() && !table.IsExpense(r))
            SetRowKind(r, CategoryKind::Income, kIncomeTint);
        else
            SetRowKind(r, CategoryKind::Expense, kExpenseTint);
    }
    grid_->setUpdatesEnabled(true);
    grid_->setCurrentCell(0, 0);
}

std::optional<std::string> CategoryEditor::CellBytes(int row, int column) const {
    const QTableWidgetItem* cell = Cell(row, column);
    const std::string filled = cell->data(kBytesRole).toByteArray().toStdString();
    if (cell->text() == FromCp932(filled))
        return filled;
    return ToCp932(cell->text());
}

CategoryTable CategoryEditor::TableFromGrid(QStringList& replaced) const {
    auto bytes = [&](int row, int column, const QString& label) {
        if (std::optional<std::string> kept = CellBytes(row, column))
            return *kept;
        replaced << label;
        return Utf8ToCp932Lossy(CellText(row, column).toStdString());
    };
    CategoryTable table;  // entries past the lists stay empty (and income)
    for (int r = 1; r <= kMaxCategories && !CellText(r, 1).isEmpty(); ++r) {
        const QString name = CellText(r, 1);
        table.names[r] = bytes(r, 1, CategoryLabel(r, name));
        table.kinds[r] = rowKinds_[r];
        for (int j = 1; j <= kMaxDescriptions && !CellText(r, j + 1).isEmpty(); ++j)
            table.descriptions[r][j] =
                bytes(r, j + 1, DescriptionLabel(r, name, j, CellText(r, j + 1)));
    }
    return table;
}

void CategoryEditor::Save() {
    if (CellText(1, 1).isEmpty() || CellText(1, 2).isEmpty()) {
        ShowHint(kFirstEntryHint);
        return;
    }
    // Whatever the save would drop or change beyond the user's edits is named first.
    QStringList replaced;
    TableFromGrid(replaced);
    const auto cellText = [this](int row, int column) { return CellText(row, column); };
    if (const QString question = CategorySaveQuestion(reading_, cellText, replaced);
        !question.isEmpty() && !services_.messages.Confirm(this, kCategoryTitle, question)) {
        grid_->setFocus();
        return;
    }
    CategoryTable table = TableFromGrid(replaced);
    if (ReportedIoFailure(services_.messages, this, kCategoryTitle,
                          SaveCategoryTable(state_.folder, table)))
        return;
    BuildCategoryGuides(table);
    state_.categories = table;
    reading_ = CategoryReading{};  // the file now holds the table as it stands
    accept();
}

void CategoryEditor::ShowHint(const QString& hint) {
    legend_->setText(hint);
}

}  // namespace hanaki

#include "moc_category_editor.cpp"

#include "monthly/monthly_table_screen.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>
#include <optional>

#include "data/formats/memo.h"
#include "monthly/monthly_printout.h"
#include "monthly/monthly_rows.h"
#include "monthly/monthly_table_grid.h"
#include "ui/folder_watch.h"
#include "ui/printer_dialog.h"
#include "ui/screen_metrics.h"

namespace hanaki {

namespace {

const QString kTitle = QStringLiteral("月計表");

const QString kPickGone = QStringLiteral(
    "選んだ項目は変更されています。一覧を更新しましたので、もう一度選んでください。");
// Shown while no row is picked because its item went.
const QString kPickGoneNote = QStringLiteral("選んだ項目は変更されたか、削除されました。");

}  // namespace

MonthlyTableScreen::MonthlyTableScreen(const ProgramState& state, Services& services,
                                       std::unique_ptr<PrinterDialog> printerDialog, int year,
                                       int month, ItemHandOff handOff, QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(state),
      services_(services),
      printerDialog_(std::move(printerDialog)),
      handOff_(std::move(handOff)),
      size_(MonthlyTableSizeOf(services.metrics.sizeClass())),
      controls_(this, size_),
      year_(year),
      month_(month),
      // The window that opened the table has told of its month's unreadable records.
      warnedMonth_(year * 100 + month) {
    setObjectName("Form2");
    setWindowTitle(kTitle);
    for (QWidget* control :
         {static_cast<QWidget*>(controls_.yearField), static_cast<QWidget*>(controls_.monthField),
          static_cast<QWidget*>(controls_.grid)})
        control->installEventFilter(this);
    connect(controls_.printButton, &QPushButton::clicked, this, &MonthlyTableScreen::Print);
    connect(controls_.grid, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (focus_ == Focus::Table)
            MoveSelection(row + 1);
    });
    connect(controls_.grid->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &MonthlyTableScreen::KeepTopRow);
    // Whatever changes the folder, this program or another, the table follows.
    connect(new FolderWatch(state_.folder, this), &FolderWatch::changed, this,
            &MonthlyTableScreen::Refresh);
    setFixedSize(controls_.Place(size_));
    ShowDate();
    ReadMonth();
    FillGrid();
    EnterTable(1);
}

MonthlyTableScreen::~MonthlyTableScreen() = default;

// Keys reach the screen before the control that has the focus; none goes
// further (not Tab either).
bool MonthlyTableScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QWidget::eventFilter(watched, event);
    KeysOf(focus_).Run(static_cast<const QKeyEvent&>(*event));
    return true;
}

KeyTable MonthlyTableScreen::KeysNow() {
    return KeysOf(focus_);
}

KeyTable MonthlyTableScreen::KeysOf(Focus focus) {
    switch (focus) {
        case Focus::Table:
            return TableKeys();
        case Focus::Year:
            return YearKeys();
        case Focus::Month:
            break;
    }
    return MonthKeys();
}

KeyTable MonthlyTableScreen::TableKeys() {
    const int page = kMonthlyVisibleItemRows - 1;
    // A row or a page, never past the last item; with none picked, the row
    // where the item that went was.
    auto move = [this](int step) {
        MoveSelection(selectedPosition_ == 0 ? lostRow_ : selectedPosition_ + step);
    };
    // Esc and Home act when let go, and only when pressed here: the release
    // of the Esc that cancelled the printer dialog must not close the table.
    auto released = [this](int key, std::function<void()> action) {
        return [this, key, action] {
            if (pressedKey_ != key)
                return;
            pressedKey_ = 0;
            action();
        };
    };
    auto press = [this](int key) { return [this, key] { pressedKey_ = key; }; };
    return {
        " <ESC>終了    <HOME>日付変更    <↑↓>前,後    <PageUp,Down>前頁,改頁    <Enter>訂正",
        {OnRelease({{Qt::Key_Escape}, "<ESC>終了", released(Qt::Key_Escape, [this] { close(); })}),
         {{Qt::Key_Escape}, "", press(Qt::Key_Escape)},
         OnRelease({{Qt::Key_Home},
                    "<HOME>日付変更",
                    released(Qt::Key_Home, [this] { EnterField(Focus::Month); })}),
         {{Qt::Key_Home}, "", press(Qt::Key_Home)},
         {{Qt::Key_Up}, "<↑↓>前,後", [move] { move(-1); }},
         {{Qt::Key_Down}, "<↑↓>前,後", [move] { move(1); }},
         {{Qt::Key_PageUp}, "<PageUp,Down>前頁,改頁", [move, page] { move(-page); }},
         {{Qt::Key_PageDown}, "<PageUp,Down>前頁,改頁", [move, page] { move(page); }},
         {kEnterKeys, "<Enter>訂正", [this] { HandOffSelected(); }},
         {{Qt::Key_F5}, "", [this] { Print(); }}}};
}

// Delete and typed characters are ignored in the fields.
KeyTable MonthlyTableScreen::YearKeys() {
    return {" <ESC>終了    <PageUp>前年    <PageDown>翌年    <Enter>月へ",
            {{{Qt::Key_Escape}, "<ESC>終了", [this] { close(); }},
             {{Qt::Key_PageUp}, "<PageUp>前年", [this] { StepYear(-1); }},
             {{Qt::Key_PageDown}, "<PageDown>翌年", [this] { StepYear(1); }},
             {kEnterKeys, "<Enter>月へ", [this] { EnterField(Focus::Month); }},
             {{Qt::Key_F5}, "", [this] { Print(); }}}};
}

KeyTable MonthlyTableScreen::MonthKeys() {
    return {" <ESC>年へ    <PageUp>前月    <PageDown>翌月    <Enter>月計表へ",
            {{{Qt::Key_Escape}, "<ESC>年へ", [this] { EnterField(Focus::Year); }},
             {{Qt::Key_PageUp}, "<PageUp>前月", [this] { StepMonth(-1); }},
             {{Qt::Key_PageDown}, "<PageDown>翌月", [this] { StepMonth(1); }},
             {kEnterKeys, "<Enter>月計表へ",
              [this] {
                  FillGrid();
                  EnterTable(1);
              }},
             {{Qt::Key_F5}, "", [this] { Print(); }}}};
}

void MonthlyTableScreen::EnterTable(int selectRow) {
    focus_ = Focus::Table;
    pressedKey_ = 0;
    controls_.legend->setText(QString::fromUtf8(TableKeys().legend));
    controls_.grid->setEnabled(true);
    controls_.grid->setFocusPolicy(Qt::StrongFocus);
    controls_.grid->setFocus();
    if (selectRow == 0)
        LosePick(lostRow_);
    else
        MoveSelection(selectRow);
}

void MonthlyTableScreen::EnterField(Focus focus) {
    focus_ = focus;
    // Away from the table its highlight shows no more.
    controls_.pickNote->clear();
    controls_.grid->clearSelection();
    controls_.grid->setEnabled(false);
    controls_.grid->setFocusPolicy(Qt::NoFocus);
    controls_.legend->setText(QString::fromUtf8(KeysOf(focus).legend));
    if (focus == Focus::Year)
        controls_.yearField->setFocus();
    else
        controls_.monthField->setFocus();
}

void MonthlyTableScreen::StepYear(int delta) {
    hanaki::StepYear(year_, delta);
    RefreshMonth();  // also at the window's end
}

void MonthlyTableScreen::StepMonth(int delta) {
    hanaki::StepMonth(year_, month_, delta);
    RefreshMonth();
}

void MonthlyTableScreen::RefreshMonth() {
    ShowDate();
    ReadMonth();
    FillGrid();
}

void MonthlyTableScreen::ShowDate() {
    controls_.yearField->setText(QString::number(year_ + 1900));
    controls_.monthField->setText(QString::number(month_));
}

void MonthlyTableScreen::ReadMonth() {
    MonthLedger read;
    const IoResult loaded =
        LoadMonthLedger(state_.folder, state_.closingDay(), year_, month_, read);
    ledger_ = loaded.ok() ? std::move(read) : MonthLedger();
    // Each month's trouble is told once, not at every refresh.
    const int shown = year_ * 100 + month_;
    if (warnedMonth_ == shown || (loaded.ok() && ledger_.unreadableRecords == 0))
        return;
    warnedMonth_ = shown;
    if (!loaded.ok())
        services_.messages.Inform(this, kTitle,
                                  QString::fromStdString(DescribeIoError(*loaded.error)));
    else
        services_.messages.Inform(
            this, kTitle, QString::fromStdString(UnreadableRecordsNote(ledger_.unreadableRecords)));
}

void MonthlyTableScreen::FillGrid() {
    rows_ = CollectMonthlyRows(ledger_, state_.categories, state_.closingDay());
    FillMonthlyGrid(controls_.grid, rows_, size_);
    const int items = static_cast<int>(rows_.size());
    if (items == 0) {
        endRow_ = 2;
        controls_.ShowTotals(QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"));
        controls_.printButton->setEnabled(false);
        return;
    }
    controls_.printButton->setEnabled(true);
    endRow_ = items + 1;
    const TotalsTexts shown = TotalsOfRows(rows_);
    controls_.ShowTotals(QString::fromStdString(shown.income),
                         QString::fromStdString(shown.expense),
                         QString::fromStdString(shown.balance));
}

// Every move of the selection: only item rows are selected, and the list
// never scrolls past its last item.
void MonthlyTableScreen::MoveSelection(int row) {
    selectedPosition_ = std::clamp(row, 1, endRow_ - 1);
    controls_.pickNote->clear();
    controls_.grid->setCurrentCell(selectedPosition_ - 1, 0);
    controls_.grid->selectRow(selectedPosition_ - 1);
    KeepTopRow();
}

void MonthlyTableScreen::LosePick(int row) {
    selectedPosition_ = 0;
    lostRow_ = std::clamp(row, 1, endRow_ - 1);
    controls_.pickNote->setText(kPickGoneNote);
    controls_.grid->clearSelection();
    controls_.grid->setCurrentCell(-1, -1);
}

void MonthlyTableScreen::KeepTopRow() {
    QScrollBar* scroll = controls_.grid->verticalScrollBar();
    const int top = scroll->value() + 1;
    if (endRow_ < 26) {
        if (top != 1)
            scroll->setValue(0);
    } else if (top > endRow_ - 24) {
        scroll->setValue(endRow_ - 25 - 1);
    }
}

void MonthlyTableScreen::HandOffSelected() {
    if (rows_.empty())
        return;
    if (selectedPosition_ == 0) {
        services_.messages.Inform(this, kTitle, kPickGone);
        return;
    }
    const MonthlyRow& row = rows_[selectedPosition_ - 1];
    HandOffItem(handOff_, {year_ + 1900, month_, row.slot, row.record}, this, [this] {
        Refresh();
        services_.messages.Inform(this, kTitle, kPickGone);
    });
}

void MonthlyTableScreen::Refresh() {
    const int picked = selectedPosition_;
    const std::optional<MonthlyRow> item = picked >= 1 && picked <= static_cast<int>(rows_.size())
                                               ? std::optional(rows_[picked - 1])
                                               : std::nullopt;
    QScrollBar* scroll = controls_.grid->verticalScrollBar();
    const int top = scroll->value();
    ReadMonth();
    FillGrid();
    scroll->setValue(top);
    if (focus_ != Focus::Table)
        return;
    if (!item) {  // none picked, or the month had no items
        if (picked == 0)
            LosePick(lostRow_);
        else
            MoveSelection(picked);
        return;
    }
    const int slot = LocateItem(ledger_, item->slot, item->record);
    const auto now = std::find_if(rows_.begin(), rows_.end(),
                                  [slot](const MonthlyRow& row) { return row.slot == slot; });
    if (slot != 0 && now != rows_.end())
        MoveSelection(static_cast<int>(now - rows_.begin()) + 1);
    else
        LosePick(picked);
}

void MonthlyTableScreen::Print() {
    MonthlyPrintout printout;
    printout.rows = rows_;
    if (printout.rows.empty())
        return;
    printout.year = year_ + 1900;
    printout.month = month_;
    printout.closingDay = state_.closingDay();
    printout.totals = {controls_.incomeTotal->text().toStdString(),
                       controls_.expenseTotal->text().toStdString(),
                       controls_.balanceTotal->text().toStdString()};

    const QString name = QStringLiteral("%1%2月度")
                             .arg(printout.year, 4, 10, QLatin1Char('0'))
                             .arg(printout.month, 2, 10, QLatin1Char('0'));
    std::unique_ptr<PrintSurface> surface = printerDialog_->Choose(this, name);
    if (!surface) {
        EnterTable(selectedPosition_);
        return;
    }
    printout.hasMemoFile = state_.folder.Exists(MemoFileName(year_, month_));
    if (printout.hasMemoFile) {
        const IoResult memo =
            LoadMemo(state_.folder, printout.closingDay, year_, month_, printout.memo);
        if (!memo.ok()) {
            printout.hasMemoFile = false;
            services_.messages.Inform(this, QStringLiteral("印刷"),
                                      QString::fromStdString(DescribeIoError(*memo.error)) +
                                          QStringLiteral("\nメモ欄なしで印刷します。"));
        }
    }
    const IoResult printed = PrintMonthlyTable(*surface, printout);
    if (!printed.ok())
        services_.messages.Inform(this, QStringLiteral("印刷"),
                                  QString::fromStdString(DescribeIoError(*printed.error)));
}

}  // namespace hanaki

#include "moc_monthly_table_screen.cpp"

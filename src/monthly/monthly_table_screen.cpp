#include "monthly/monthly_table_screen.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>

#include "data/memo.h"
#include "monthly/monthly_printout.h"
#include "monthly/monthly_rows.h"
#include "monthly/monthly_table_grid.h"
#include "ui/fitting_font.h"
#include "ui/printer_dialog.h"
#include "ui/screen_metrics.h"

namespace hanaki {

namespace {

QString Shown(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

}  // namespace

MonthlyTableScreen::MonthlyTableScreen(ProgramState& state, Services& services,
                                       std::unique_ptr<PrinterDialog> printerDialog,
                                       MonthlyTableLink link, QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(state),
      services_(services),
      printerDialog_(std::move(printerDialog)),
      link_(std::move(link)),
      size_(MonthlyTableSizeOf(services.metrics.sizeClass())),
      controls_(this, size_) {
    setObjectName("Form2");
    setWindowTitle(QStringLiteral("月計表"));
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
    setFixedSize(controls_.Place(size_));
    ShowDate();
    if (link_.monthChanged)
        link_.monthChanged();
    FillGrid();
    EnterTable(1);
}

MonthlyTableScreen::~MonthlyTableScreen() = default;

// Keys reach the screen before the control that has the focus.
bool MonthlyTableScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QWidget::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.key() == Qt::Key_F5) {  // in every state: print
        if (event->type() == QEvent::KeyPress)
            Print();
        return true;
    }
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)
        return true;
    switch (focus_) {
        case Focus::Table:
            return OnTableKey(key);
        case Focus::Year:
            return event->type() == QEvent::KeyPress ? OnYearKey(key) : true;
        case Focus::Month:
            return event->type() == QEvent::KeyPress ? OnMonthKey(key) : true;
    }
    return false;
}

// " <ESC>終了    <HOME>日付変更    <↑↓>前,後    <PageUp,Down>前頁,改頁    <Enter>訂正"
bool MonthlyTableScreen::OnTableKey(const QKeyEvent& key) {
    const bool press = key.type() == QEvent::KeyPress;
    const int page = kMonthlyVisibleItemRows - 1;
    switch (key.key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:  // a row or a page, never past the last item
            if (press) {
                const int step = key.key() == Qt::Key_Up       ? -1
                                 : key.key() == Qt::Key_Down   ? 1
                                 : key.key() == Qt::Key_PageUp ? -page
                                                               : page;
                MoveSelection(selectedPosition_ + step);
            }
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:  // correct the selected item in the main window
            if (press)
                HandOffSelected();
            return true;
        case Qt::Key_Home:    // on release: choose another month
        case Qt::Key_Escape:  // on release: close
            // Only a key pressed here counts: the release of the Esc that
            // cancelled the printer dialog must not close the table.
            if (key.isAutoRepeat())
                return true;
            if (press) {
                pressedKey_ = key.key();
            } else if (pressedKey_ == key.key()) {
                pressedKey_ = 0;
                if (key.key() == Qt::Key_Escape)
                    close();
                else
                    EnterField(Focus::Month);
            }
            return true;
        default:
            return true;
    }
}

// " <ESC>終了    <PageUp>前年    <PageDown>翌年    <Enter>月へ"
bool MonthlyTableScreen::OnYearKey(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_PageUp:
            StepYear(-1);
            break;
        case Qt::Key_PageDown:
            StepYear(1);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            EnterField(Focus::Month);
            break;
        case Qt::Key_Escape:
            close();
            break;
        default:  // Delete and typed characters are ignored
            break;
    }
    return true;
}

// " <ESC>年へ    <PageUp>前月    <PageDown>翌月    <Enter>月計表へ"
bool MonthlyTableScreen::OnMonthKey(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_PageUp:
            StepMonth(-1);
            break;
        case Qt::Key_PageDown:
            StepMonth(1);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            FillGrid();
            EnterTable(1);
            break;
        case Qt::Key_Escape:
            EnterField(Focus::Year);
            break;
        default:  // Delete and typed characters are ignored
            break;
    }
    return true;
}

void MonthlyTableScreen::EnterTable(int selectRow) {
    focus_ = Focus::Table;
    pressedKey_ = 0;
    controls_.legend->setText(QStringLiteral(
        " <ESC>終了    <HOME>日付変更    <↑↓>前,後    <PageUp,Down>前頁,改頁    <Enter>訂正"));
    controls_.grid->setEnabled(true);
    controls_.grid->setFocusPolicy(Qt::StrongFocus);
    controls_.grid->setFocus();
    MoveSelection(selectRow);
}

void MonthlyTableScreen::EnterField(Focus focus) {
    focus_ = focus;
    // Away from the table its highlight shows no more.
    controls_.grid->clearSelection();
    controls_.grid->setEnabled(false);
    controls_.grid->setFocusPolicy(Qt::NoFocus);
    if (focus == Focus::Year) {
        controls_.legend->setText(
            QStringLiteral(" <ESC>終了    <PageUp>前年    <PageDown>翌年    <Enter>月へ"));
        controls_.yearField->setFocus();
    } else {
        controls_.legend->setText(
            QStringLiteral(" <ESC>年へ    <PageUp>前月    <PageDown>翌月    <Enter>月計表へ"));
        controls_.monthField->setFocus();
    }
}

void MonthlyTableScreen::StepYear(int delta) {
    hanaki::StepYear(state_.closingDay(), state_.date, delta);
    RefreshMonth();  // also at the window's end
}

void MonthlyTableScreen::StepMonth(int delta) {
    hanaki::StepMonth(state_.closingDay(), state_.date, delta);
    RefreshMonth();
}

void MonthlyTableScreen::RefreshMonth() {
    ShowDate();
    if (link_.monthChanged)
        link_.monthChanged();
    FillGrid();
}

void MonthlyTableScreen::ShowDate() {
    controls_.yearField->setText(QString::number(state_.date.year + 1900));
    controls_.monthField->setText(QString::number(state_.date.month));
}

void MonthlyTableScreen::FillGrid() {
    rows_ = CollectMonthlyRows(state_.ledger, state_.categories, state_.closingDay());
    FillMonthlyGrid(controls_.grid, rows_, size_);
    const int items = static_cast<int>(rows_.size());
    if (items == 0) {
        endRow_ = 2;
        for (QLabel* total :
             {controls_.incomeTotal, controls_.expenseTotal, controls_.balanceTotal})
            total->setText(QStringLiteral("0"));
        controls_.printButton->setEnabled(false);
        return;
    }
    controls_.printButton->setEnabled(true);
    endRow_ = items + 1;
    const TotalsTexts shown = TotalsOfRows(rows_);
    controls_.incomeTotal->setText(Shown(shown.income));
    controls_.expenseTotal->setText(Shown(shown.expense));
    controls_.balanceTotal->setText(Shown(shown.balance));
    // The legend keeps the design's type; a total too wide for its column takes a smaller one.
    for (QLabel* total : {controls_.incomeTotal, controls_.expenseTotal, controls_.balanceTotal})
        FitLabel(total, controls_.legend->font());
}

// Every move of the selection: only item rows are selected, and the list
// never scrolls past its last item.
void MonthlyTableScreen::MoveSelection(int row) {
    selectedPosition_ = std::clamp(row, 1, endRow_ - 1);
    controls_.grid->setCurrentCell(selectedPosition_ - 1, 0);
    controls_.grid->selectRow(selectedPosition_ - 1);
    KeepTopRow();
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
    const MonthlyRow& row = rows_[std::clamp(selectedPosition_, 1, endRow_ - 1) - 1];
    // The row names its slot; a slot that holds another item by now is not handed on.
    if (!HoldsItem(state_.ledger, row.slot, row.record)) {
        Refresh();
        services_.messages.Inform(
            this, QStringLiteral("月計表"),
            QStringLiteral("選んだ項目は変更されています。一覧を更新しましたので、もう一度選んで"
                           "ください。"));
        return;
    }
    if (link_.openForCorrection)
        link_.openForCorrection(row.slot);
    close();
}

void MonthlyTableScreen::Refresh() {
    const int selected = selectedPosition_;
    FillGrid();
    if (focus_ == Focus::Table)
        MoveSelection(selected);
}

void MonthlyTableScreen::Print() {
    MonthlyPrintout printout;
    printout.rows = rows_;
    if (printout.rows.empty())
        return;
    printout.year = state_.date.year + 1900;
    printout.month = state_.date.month;
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
    printout.hasMemoFile = state_.folder.Exists(MemoFileName(state_.date.year, state_.date.month));
    if (printout.hasMemoFile) {
        const IoResult memo = LoadMemo(state_.folder, printout.closingDay, state_.date.year,
                                       state_.date.month, printout.memo);
        if (!memo.ok()) {
            printout.hasMemoFile = false;
            services_.messages.Inform(
                this, QStringLiteral("印刷"),
                Shown(DescribeIoError(*memo.error)) + QStringLiteral("\nメモ欄なしで印刷します。"));
        }
    }
    const IoResult printed = PrintMonthlyTable(*surface, printout);
    if (!printed.ok())
        services_.messages.Inform(this, QStringLiteral("印刷"),
                                  Shown(DescribeIoError(*printed.error)));
}

}  // namespace hanaki

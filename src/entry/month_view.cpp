#include "entry/month_view.h"

#include <QLabel>

#include "data/book/amount_format.h"
#include "data/book/budget.h"
#include "entry/day_grid.h"
#include "entry/item_store.h"
#include "ui/io_failure.h"
#include "ui/text_codec.h"

namespace hanaki {
namespace {

const QColor kOverBudgetRed(255, 0, 0);

}  // namespace

MonthView::MonthView(ProgramState& state, Services& services, ItemStore& store,
                     const MainEntryControls& controls, QWidget* window)
    : state_(state), services_(services), store_(store), controls_(controls), window_(window) {}

void MonthView::Reload() {
    const IoResult loaded = LoadMonthLedger(state_.folder, state_.closingDay(), state_.date.year,
                                            state_.date.month, state_.ledger);
    const bool folderMissing = !loaded.ok() && loaded.error->code == kFolderMissing;
    store_.SetMonthUnreadable(!loaded.ok(), folderMissing);
    if (!loaded.ok()) {
        state_.ledger = MonthLedger();
        // A folder that is gone is named alone: the month opens once it is back.
        if (folderMissing)
            ReportIoFailure(services_.messages, window_, {}, *loaded.error);
        else
            services_.messages.Inform(window_, QStringLiteral("ファイルエラー"),
                                      QString::fromStdString(DescribeIoError(*loaded.error)) +
                                          QStringLiteral("\nこの月度には入力できません。"));
        return;
    }
    const int month = state_.date.year * 100 + state_.date.month;
    if (state_.ledger.unreadableRecords > 0 && warnedMonth_ != month) {
        warnedMonth_ = month;
        services_.messages.Inform(
            window_, QStringLiteral("月度ファイル"),
            QString::fromStdString(UnreadableRecordsNote(state_.ledger.unreadableRecords)));
    }
}

void MonthView::ShowDay() {
    day_ = BuildDayView(state_.ledger, state_.categories, state_.date.DateKey());
    state_.ledger.insertionPoint = day_.insertionPoint;
    controls_.grid->Fill(day_, state_.ledger);

    const std::optional<CivilDate> last = LastEntryDate(state_.ledger, state_.closingDay());
    controls_.lastEntryDate->setText(last ? QString::number(last->month) + QStringLiteral("/") +
                                                QString::number(last->day) + QStringLiteral("現在")
                                          : QStringLiteral("未入力"));
    SumMonthLedger(state_.ledger, state_.categories, monthTotals_);
    const double income = monthTotals_.income();
    const double expense = monthTotals_.expense();
    controls_.incomeTotal->setText(QString::fromStdString(FormatGrouped(income)));
    controls_.expenseTotal->setText(QString::fromStdString(FormatGrouped(expense)));
    controls_.balanceTotal->setText(QString::fromStdString(FormatGrouped(income - expense)));
}

void MonthView::ShowBudget(int category) {
    const double total = monthTotals_.at(category, 0);
    controls_.categoryTotal->setText(QString::fromStdString(FormatPlain(total)) +
                                     QStringLiteral(" (今月累計)"));
    const bool over = IsOverBudget(state_.categories, state_.settings, category, total);
    QPalette palette = controls_.categoryTotal->palette();
    palette.setColor(QPalette::WindowText, over ? kOverBudgetRed : QColor(Qt::black));
    controls_.categoryTotal->setPalette(palette);
    const BudgetReading budget = ReadBudget(state_.settings.budgets[category]);
    const QString monthBudget = QString::fromStdString(budget.plain);
    if (budget.marked()) {
        controls_.budget->setText(monthBudget + QString::fromLatin1(kUnusableBudgetMark) +
                                  QStringLiteral(" (月予算額)"));
    } else if (budget.usable()) {
        const int days =
            DaysInAccountingMonth(state_.closingDay(), state_.date.year, state_.date.month);
        controls_.budget->setText(
            QString::number(ProratedBudget(budget.yen, days, state_.date.day)) +
            QStringLiteral(" (現予算額) / ") + monthBudget + QStringLiteral(" (月予算額)"));
    }
}

}  // namespace hanaki

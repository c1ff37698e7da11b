#include "summary/summary_menu.h"

#include "summary/monthly_summary_screen.h"
#include "summary/monthly_trend_screen.h"
#include "summary/year_summary_screen.h"
#include "ui/fonts.h"
#include "ui/sub_screen.h"

namespace hanaki {

SummaryMenu::SummaryMenu(ProgramState& state, Services& services, QWidget* parent)
    : ButtonMenu(parent, GothicFont(services.metrics.below600() ? 9 : 12)),
      state_(state),
      services_(services) {
    setObjectName("Form4");
    setWindowTitle(QStringLiteral("集計メニュー"));
    // The keys are ButtonMenu's: <Esc>, a button's digit, <↑↓>, <Enter>. There is
    // no separate annual summary: 3 opens the monthly one, by Enter or a click only.
    AddButton("Command1", QStringLiteral("1. 月度集計   "), "1", [this] { OpenSummary(); });
    AddButton("Command2", QStringLiteral("2. 月度推移   "), "2", [this] { OpenTrend(); });
    AddButton("Command3", QStringLiteral("3. 年次集計   "), nullptr, [this] { OpenSummary(); });
    AddButton("Command4", QStringLiteral("4. 年間集計   "), "4", [this] { OpenYearSummary(); });
    AddLegend("Label1", "   <Esc>集計終了    <1,2,4>直接選択      <↑↓>カーソル移動    <Enter>決定",
              "<Esc>集計終了", "<1,2,4>直接選択");
}

void SummaryMenu::OpenSummary() {
    ShowOnce(summary_, this, [this] { return new MonthlySummaryScreen(state_, services_, this); });
}

void SummaryMenu::OpenTrend() {
    ShowOnce(trend_, this, [this] { return new MonthlyTrendScreen(state_, services_, this); });
}

void SummaryMenu::OpenYearSummary() {
    ShowOnce(yearSummary_, this, [this] { return new YearSummaryScreen(state_, services_, this); });
}

void OpenSummaryMenu(ProgramState& state, Services& services, QWidget* opener) {
    SummaryMenu* menu = nullptr;
    for (SummaryMenu* open : opener->findChildren<SummaryMenu*>(Qt::FindDirectChildrenOnly)) {
        if (open->isVisible())  // a closed one is on its way out
            menu = open;
    }
    if (!menu) {
        menu = new SummaryMenu(state, services, opener);
        menu->setAttribute(Qt::WA_DeleteOnClose);
    }
    ShowInFrontOf(menu, opener);
}

}  // namespace hanaki

#include "moc_summary_menu.cpp"

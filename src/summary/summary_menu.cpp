#include "summary/summary_menu.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "summary/monthly_summary_screen.h"
#include "summary/monthly_trend_screen.h"
#include "ui/fonts.h"
#include "ui/sub_screen.h"

namespace hanaki {

SummaryMenu::SummaryMenu(ProgramState& state, Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), services_(services) {
    setObjectName("Form4");
    setWindowTitle(QStringLiteral("集計メニュー"));
    const QFont font = GothicFont(services_.metrics.below600() ? 9 : 12);

    summaryButton_ = new QPushButton(QStringLiteral("1. 月度集計   "), this);
    summaryButton_->setObjectName("Command1");
    trendButton_ = new QPushButton(QStringLiteral("2. 月度推移   "), this);
    trendButton_->setObjectName("Command2");
    yearButton_ = new QPushButton(QStringLiteral("3. 年次集計   "), this);
    yearButton_->setObjectName("Command3");
    legend_ = new QLabel(
        QStringLiteral("   <Esc>集計終了    <1,2>直接選択        <↑↓>カーソル移動    <Enter>決定"),
        this);
    legend_->setObjectName("Label1");
    legend_->setFont(font);

    auto* layout = new QVBoxLayout(this);
    for (QPushButton* button : {summaryButton_, trendButton_, yearButton_}) {
        button->setFont(font);
        button->installEventFilter(this);
        layout->addWidget(button);
    }
    layout->addWidget(legend_);
    // There is no separate annual summary: 3 opens the monthly one.
    connect(summaryButton_, &QPushButton::clicked, this, &SummaryMenu::OpenSummary);
    connect(trendButton_, &QPushButton::clicked, this, &SummaryMenu::OpenTrend);
    connect(yearButton_, &QPushButton::clicked, this, &SummaryMenu::OpenSummary);
    summaryButton_->setFocus();
}

bool SummaryMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text == u'1') {  // <1,2>直接選択
        OpenSummary();
        return true;
    }
    if (text == u'2') {
        OpenTrend();
        return true;
    }
    switch (key->key()) {
        case Qt::Key_Escape:  // <Esc>集計終了
            close();
            return true;
        case Qt::Key_Up:  // <↑↓>カーソル移動
            focusPreviousChild();
            return true;
        case Qt::Key_Down:
            focusNextChild();
            return true;
        case Qt::Key_Return:  // <Enter>決定
        case Qt::Key_Enter:
            static_cast<QPushButton*>(watched)->click();
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return false;  // the buttons' own tab order
        default:
            return true;  // 3 and every other key do nothing
    }
}

void SummaryMenu::OpenSummary() {
    Open(summary_, &SummaryMenu::MakeSummary);
}

void SummaryMenu::OpenTrend() {
    Open(trend_, &SummaryMenu::MakeTrend);
}

QWidget* SummaryMenu::MakeSummary() {
    return new MonthlySummaryScreen(state_, services_, this);
}

QWidget* SummaryMenu::MakeTrend() {
    return new MonthlyTrendScreen(state_, services_, this);
}

void SummaryMenu::Open(QPointer<QWidget>& screen, QWidget* (SummaryMenu::*make)()) {
    if (screen.isNull()) {
        screen = (this->*make)();
        screen->setAttribute(Qt::WA_DeleteOnClose);
    }
    ShowInFrontOf(screen, this);
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

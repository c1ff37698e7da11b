#include "ui/help_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

#include "support/wait.h"

namespace hanaki {
namespace {

using testing::WaitFor;

const QString kGuide = QStringLiteral(HANAKI_GUIDE);

QString Shown(const HelpWindow& help) {
    return help.findChild<QTextBrowser*>("HelpText")->toPlainText();
}

TEST(HelpWindow, F1SwitchesBetweenTheScreensKeysAndTheWholeGuide) {
    QWidget screen;
    auto* help = new HelpWindow({kGuide}, &screen);
    help->ShowSection(QStringLiteral("月計表f5"));
    help->show();
    auto* text = help->findChild<QTextBrowser*>("HelpText");
    EXPECT_TRUE(Shown(*help).startsWith(QStringLiteral("月計表（F5）")));
    EXPECT_FALSE(Shown(*help).contains(QStringLiteral("集計メニュー（F6）")));  // the next section

    QTest::keyClick(text, Qt::Key_F1);
    EXPECT_TRUE(help->showsWholeGuide());
    EXPECT_EQ(help->windowTitle(), QStringLiteral("ヘルプ - hanaki 利用者ガイド"));
    EXPECT_TRUE(Shown(*help).contains(QStringLiteral("17. 不具合を知らせるとき")));
    EXPECT_GT(text->verticalScrollBar()->value(), 0);  // at the screen's section, not the top

    help->findChild<QPushButton*>("WholeGuide")->click();
    EXPECT_FALSE(help->showsWholeGuide());
    EXPECT_EQ(help->windowTitle(), QStringLiteral("ヘルプ - 月計表（F5）"));
}

// Tab picks a link in a section and Enter opens the whole guide at its place.
TEST(HelpWindow, ALinkInASectionOpensTheWholeGuideThere) {
    QWidget screen;
    auto* help = new HelpWindow({kGuide}, &screen);
    help->ShowSection(QStringLiteral("ヘルプf1"));
    help->show();
    auto* text = help->findChild<QTextBrowser*>("HelpText");
    QTest::keyClick(text, Qt::Key_Tab);
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_TRUE(help->showsWholeGuide());
    EXPECT_GT(text->verticalScrollBar()->value(), 0);
}

TEST(HelpWindow, SaysWhereItLookedWhenTheGuideIsMissing) {
    QWidget screen;
    HelpWindow help({QStringLiteral("/nonexistent/share/doc/hanaki/guide.ja.html"),
                     QStringLiteral("/nonexistent/bin/doc/guide.ja.html")},
                    &screen);
    help.ShowSection(QStringLiteral("月計表f5"));
    EXPECT_TRUE(Shown(help).startsWith(
        QStringLiteral("利用者ガイドが見つからないため、ヘルプを表示できません。")));
    EXPECT_TRUE(Shown(help).contains(QStringLiteral("/nonexistent/bin/doc/guide.ja.html")));
    EXPECT_FALSE(help.findChild<QPushButton*>("WholeGuide")->isVisibleTo(&help));
}

}  // namespace
}  // namespace hanaki

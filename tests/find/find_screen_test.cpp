#include "find/find_screen.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <cstdlib>

#include "data/formats/fixed_field.h"
#include "data/formats/memo.h"
#include "settings/household.h"
#include "support/ledger_records.h"
#include "support/screen_fit.h"
#include "support/wait.h"

namespace hanaki::testing {
namespace {

std::string Record(const std::string& date, int category, const std::string& amount,
                   const std::string& remark) {
    return RecordBytes({.date = date,
                        .category = TwoDigits(category),
                        .categoryName = category == 1 ? "給料" : "車両費",
                        .descriptionName = category == 1 ? "月給" : "ガソリン",
                        .amount = amount,
                        .remark = remark});
}

struct HandOff {
    int year = 0, month = 0, slot = 0;
    int calls = 0;
    HandOffResult answer = HandOffResult::Opened;
};

// Two months with fuel bought in each, and a window that records the hand-off.
class FindScreenTest : public ::testing::Test {
  protected:
    FindScreenTest() {
        home.UseCategories("+給料\r\n月給\r\n-車両費\r\nガソリン\r\n");
        home.temp.Write("202512.DAT", Record("251203", 2, "-4000", "ｾﾙﾌ") +
                                          Record("251225", 1, "+250000", "") +
                                          Record("251228", 2, "-3000", "ＡＢＣ石油"));
        home.temp.Write("202601.DAT", Record("260110", 2, "-5000", "abc石油"));
    }
    // A screen left open reads the household as it draws.
    ~FindScreenTest() override { delete screen.data(); }
    FindScreen& Open() {
        screen = new FindScreen(
            home.state, home.services,
            [this](const PickedItem& item, QWidget*) {
                handOff = {item.year, item.month, item.slot, handOff.calls + 1, handOff.answer};
                return handOff.answer;
            },
            [this](const PickedMemo& memo, QWidget*) {
                handOff = {memo.year, memo.month, -memo.day, handOff.calls + 1, handOff.answer};
                return handOff.answer;
            });
        screen->setAttribute(Qt::WA_DeleteOnClose);
        ShowActive(*screen);
        return *screen;
    }
    // Types the text, presses Enter, and waits for the search to end.
    ::testing::AssertionResult Search(const QString& text) {
        Child<QLineEdit>(*screen, "Text1")->clear();
        Commit(text);
        Press(Qt::Key_Return);
        return WaitFor([&] { return !Totals().contains(QStringLiteral("検索中")); },
                       "the search to end");
    }
    QString Totals() const { return Child<QLabel>(*screen, "Label2")->text(); }
    QStringList Column(int column) const {
        QStringList texts;
        const auto* model = Child<QTableView>(*screen, "MSFlexGrid1")->model();
        for (int row = 0; row < model->rowCount(); ++row)
            texts << model->index(row, column).data().toString();
        return texts;
    }

    Household home;
    QPointer<FindScreen> screen;
    HandOff handOff;
};

TEST_F(FindScreenTest, listsNewestFirstAndHandsOffThePickedItemsSlot) {
    Open();
    ASSERT_TRUE(Search(QStringLiteral("ＡＢＣ")));
    EXPECT_EQ(Column(0), (QStringList{"2026/01/10", "2025/12/28"}));
    EXPECT_EQ(Column(5), (QStringList{"5,000", "3,000"}));
    EXPECT_EQ(Column(6), (QStringList{"abc石油", "ＡＢＣ石油"}));
    EXPECT_EQ(Totals(), QStringLiteral("見つかった項目 2件  入金合計 0  支出合計 8,000"));
    EXPECT_EQ(
        Child<QLabel>(*screen, "Label1")->text(),
        QStringLiteral(" <ESC>文字へ    <↑↓>前,後    <PageUp,Down>前頁,改頁    <Enter>訂正・メモ"));

    Press(Qt::Key_PageDown);
    Press(Qt::Key_Return);
    EXPECT_EQ(handOff.calls, 1);
    EXPECT_EQ((std::tuple{handOff.year, handOff.month, handOff.slot}), std::tuple(2025, 12, 3));
    EXPECT_TRUE(WaitFor([&] { return screen.isNull(); }, "the screen to close"));
}

// Each search of one household with memos and closing day 25, whose 1950年1月度
// begins on 26 December 1949: the rows, newest first, and the totals line.
TEST_F(FindScreenTest, saysWhatItShowsWithMemosAndTheMonthOfEachResult) {
    home.UseSettings(" 25 \r\n");
    home.temp.Write("195001.DAT", Record("491226", 2, "-800", "年越しそば") +
                                      Record("500105", 1, "+9000", "お年玉"));
    home.temp.Write("195001.MEM", EncodeMemoRecord({{"28", "28", "28"}, {Sjis("そば屋"), "", ""}}));
    home.temp.Write(
        "202601.MEM",
        EncodeMemoRecord({{"10", "10", "10"}, {Sjis("満タン"), Sjis("ＡＢＣ石油は〜特売"), ""}}));
    home.temp.Write("202602.DAT", Record("260201", 2, "-12345", "〜特売 −20%"));
    const struct {
        const char* text;
        QStringList rows;  // date, 月度, category and remark of each
        const char* totals;
    } cases[] = {
        {"abc",
         {"2026/01/10 2026/01 メモ ＡＢＣ石油は～特売", "2026/01/10 2026/01 車両費 abc石油",
          "2025/12/28 2025/12 車両費 ＡＢＣ石油"},
         "見つかった項目 2件・メモ 1行  入金合計 0  支出合計 8,000"},
        {"そば",
         {"1949/12/28 1950/01 メモ そば屋", "1949/12/26 1950/01 車両費 年越しそば"},
         "見つかった項目 1件・メモ 1行  入金合計 0  支出合計 800"},
        {"〜特売",  // as an input method types it
         {"2026/02/01 2026/02 車両費 ～特売 －20%", "2026/01/10 2026/01 メモ ＡＢＣ石油は～特売"},
         "見つかった項目 1件・メモ 1行  入金合計 0  支出合計 12,345"},
        {"￥12,345",
         {"2026/02/01 2026/02 車両費 ～特売 －20%"},
         "見つかった項目 1件  入金合計 0  支出合計 12,345"},
    };
    Open();
    EXPECT_EQ(Child<QLabel>(*screen, "Label5")->text(),
              QStringLiteral("見つかった項目とメモ（新しい順）"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        if (&c != cases)
            Press(Qt::Key_Escape);  // from the results back to the text
        ASSERT_TRUE(Search(QString::fromUtf8(c.text)));
        QStringList rows;
        for (int row = 0; row < Column(0).size(); ++row)
            rows << QStringList{Column(0)[row], Column(1)[row], Column(2)[row], Column(6)[row]}
                        .join(' ');
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(Totals(), QString::fromUtf8(c.totals));
    }
}

TEST_F(FindScreenTest, enterOnAMemoLineHandsOffItsDay) {
    home.temp.Write("202512.MEM", EncodeMemoRecord({{"20", "20", "20"}, {"", "", Sjis("給油")}}));
    Open();
    ASSERT_TRUE(Search(QStringLiteral("給油")));
    ASSERT_EQ(Column(2), QStringList{"メモ"});
    Press(Qt::Key_Return);
    EXPECT_EQ(handOff.calls, 1);
    EXPECT_EQ((std::tuple{handOff.year, handOff.month, handOff.slot}), std::tuple(2025, 12, -20));
    EXPECT_TRUE(WaitFor([&] { return screen.isNull(); }, "the screen to close"));
}

// Results are read back from their files: one whose item changed since says so.
TEST_F(FindScreenTest, aResultChangedSinceTheSearchSaysSo) {
    Open();
    ASSERT_TRUE(Search(QStringLiteral("ｶﾞｿﾘﾝ")));
    // The main window corrects the first amount of December.
    ASSERT_TRUE(home.state.folder
                    .Replace("202512.DAT", Record("251203", 2, "-4100", "ｾﾙﾌ") +
                                               Record("251225", 1, "+250000", "") +
                                               Record("251228", 2, "-3000", "ＡＢＣ石油"))
                    .ok());
    EXPECT_TRUE(WaitFor([&] { return Column(6)[2] != "ｾﾙﾌ"; }, "the row to be read anew"));
    EXPECT_EQ(Column(6),
              (QStringList{"abc石油", "ＡＢＣ石油", "（この項目は検索の後に変更されました）"}));
    EXPECT_EQ(Column(0)[2] + Column(1)[2], "2025/12");
}

TEST_F(FindScreenTest, anItemTheMainWindowFindsGoneIsNotOpenedAndTheResultsAreRenewed) {
    Open();
    ASSERT_TRUE(Search(QStringLiteral("ｶﾞｿﾘﾝ")));
    ASSERT_EQ(Column(0), (QStringList{"2026/01/10", "2025/12/28", "2025/12/03"}));
    handOff.answer = HandOffResult::Refused;  // the main window told why
    Press(Qt::Key_Return);
    EXPECT_TRUE(home.messages.shown.empty());
    EXPECT_FALSE(screen.isNull());

    // Meanwhile the first December item was deleted.
    home.temp.Write("202512.DAT", Record("251225", 1, "+250000", "") +
                                      Record("251228", 2, "-3000", "ＡＢＣ石油"));
    handOff.answer = HandOffResult::Gone;
    Press(Qt::Key_Return);
    ASSERT_EQ(home.messages.shown.size(), 1u);
    EXPECT_EQ(home.messages.shown[0].text,
              QStringLiteral("この項目は検索の後に変更されたか、削除されました。検索し直します。"));
    EXPECT_TRUE(WaitFor([&] { return !Totals().contains(QStringLiteral("検索中")); },
                        "the new search to end"));
    EXPECT_EQ(Column(0), (QStringList{"2026/01/10", "2025/12/28"}));
    EXPECT_FALSE(screen.isNull());
}

TEST_F(FindScreenTest, escGoesBackToTheTextAndThenCloses) {
    Open();
    ASSERT_TRUE(Search(QStringLiteral("見つからない")));
    EXPECT_EQ(Totals(), QStringLiteral("見つかりませんでした。"));
    Press(Qt::Key_Escape);
    EXPECT_EQ(Focused(), Child<QLineEdit>(*screen, "Text1"));
    EXPECT_EQ(Child<QLabel>(*screen, "Label1")->text(),
              QStringLiteral(" <ESC>終了    <Enter>検索"));
    Press(Qt::Key_Escape);
    EXPECT_TRUE(WaitFor([&] { return screen.isNull(); }, "the screen to close"));
}

// HANAKI_FIND_SHOTS=FOLDER keeps a picture of each size class there, to look at.
TEST_F(FindScreenTest, fitsEverySizeClass) {
    const char* shots = std::getenv("HANAKI_FIND_SHOTS");
    for (const ScreenClass& size : kScreenClasses) {
        SCOPED_TRACE(size.height);
        home.services.metrics = ScreenMetrics(size.height);
        FindScreen& shown = Open();
        ASSERT_TRUE(Search(QStringLiteral("ｶﾞｿﾘﾝ")));
        ExpectWholeWithin(shown, size.Room());
        if (shots) {
            const QString path = QStringLiteral("%1/find-%2.png").arg(shots).arg(size.height);
            EXPECT_TRUE(shown.grab().save(path));
        }
        shown.close();
        ASSERT_TRUE(WaitFor([&] { return screen.isNull(); }, "the screen to close"));
    }
}

}  // namespace
}  // namespace hanaki::testing

#include <gtest/gtest.h>

#include <QScrollBar>

#include "entry_window.h"
#include "support/cp932_text.h"
#include "ui/fonts.h"

namespace hanaki {
namespace {

using testing::EntryWindow;
using testing::Record;
using testing::Sjis;

const char* const kDayLegend = " <ESC>月へ    <PageUp>前日    <PageDown>翌日    <Enter>入力欄へ";
const char* const kMonthLegend = " <ESC>年へ    <PageUp>前月    <PageDown>翌月    <Enter>日へ";
const char* const kYearLegend = " <ESC>終了    <PageUp>前年    <PageDown>翌年    <Enter>月へ";

QString RealDateShown(const EntryWindow& window) {
    return window.Text("Text6") + "/" + window.Text("Text7") + "/" + window.Text("Text8");
}

TEST(MainEntryScreen, StartsOnTodayInTheDayField) {
    EntryWindow window;
    ASSERT_TRUE(window.Start());
    EXPECT_EQ(window.screen->windowTitle(), "そよかぜ帳  ver1.1  by Mofuta");
    EXPECT_EQ(window.Text("Label11"), "令和8年12月度 (12月7日)");
    EXPECT_EQ(RealDateShown(window), "2026/12/7");
    EXPECT_EQ(window.FocusName(), "Text8");
    EXPECT_EQ(window.Text("Label7"), kDayLegend);
    EXPECT_EQ(window.Text("Label9"), "未入力");
    EXPECT_EQ(window.Text("Label2") + window.Text("Label3") + window.Text("Label4"), "000");
    EXPECT_EQ(window.grid()->horizontalHeaderItem(6)->text(), "備        考");
    EXPECT_TRUE(window.messages.shown.empty());

    window.screen->SetTitlePrefix("Our");
    EXPECT_EQ(window.screen->windowTitle(), "Our          ( そよかぜ帳  ver1.1  by Mofuta )");
}

// Twenty categories of six full-width characters: the widest guide there is.
std::string WidestMaster() {
    std::string master;
    for (int i = 1; i <= 20; ++i)
        master +=
            (i % 2 ? "+" : "-") + Sjis("費目費目費目") + "\r\n" + Sjis("摘要摘要摘要") + "\r\n";
    return master;
}

TEST(MainEntryScreen, EveryScreenClassShowsTheWholeWindowOnItsScreen) {
    struct Case {
        int width, height;
        const char* caption;
        int fontPixels;
    };
    const Case cases[] = {{640, 480, "年     月      日", 12},
                          {800, 600, "年    月     日", 14},
                          {1024, 768, "年    月     日", 16}};
    for (const Case& c : cases) {
        EntryWindow window({2026, 12, 7}, kMonthEnd, c.height);
        window.folder.Write("VERADIV.DAT", WidestMaster());
        ASSERT_TRUE(window.Start());
        QWidget& screen = *window.screen;
        EXPECT_EQ(window.Text("Label5"), c.caption) << c.height;
        for (const char* name : {"Text1", "Label7", "MSFlexGrid1"})
            EXPECT_EQ(
                screen.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly)->font().pixelSize(),
                c.fontPixels)
                << name;
        // Room for a window frame and its title bar.
        EXPECT_LE(screen.width(), c.width - 4) << c.height;
        EXPECT_LE(screen.height(), c.height - 30) << c.height;
        for (QWidget* child : screen.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isHidden())
                continue;
            EXPECT_TRUE(screen.rect().contains(child->geometry()))
                << c.height << " " << child->objectName().toStdString();
        }

        auto fits = [&](const char* name, const QString& text) {
            auto* label = screen.findChild<QLabel*>(name, Qt::FindDirectChildrenOnly);
            int widest = 0;
            for (const QString& line : text.split(u'\n'))
                widest = std::max(widest, QFontMetrics(label->font()).horizontalAdvance(line));
            return widest <= label->width();
        };
        window.Press(Qt::Key_Return);
        EXPECT_TRUE(fits("Label1", window.Text("Label1"))) << c.height;
        window.Enter({"2"});
        EXPECT_TRUE(fits("Label1", window.Text("Label1"))) << c.height;
        EXPECT_TRUE(fits("Label7",
                         " <ESC>戻る    <数字>入力    <Enter>変更なし    "
                         "<PageUp>+消費税 <PageDown>-消費税"))
            << c.height;
        for (const char* total : {"Label2", "Label3", "Label4"})
            EXPECT_TRUE(fits(total, "  -999,999,999,000")) << c.height << total;
        std::vector<QRect> totals;
        for (const char* name : {"Label8", "Label2", "Label3", "Label4", "Label9"})
            totals.push_back(screen.findChild<QLabel*>(name)->geometry());
        for (std::size_t i = 1; i < totals.size(); ++i)
            EXPECT_LT(totals[i - 1].right(), totals[i].left()) << c.height << " " << i;

        // A six-character name, a ten-million amount and a 38-byte remark show whole.
        QTableWidget* grid = window.grid();
        const QFontMetrics cells(grid->font());
        const QString widest[] = {"999",       "費目費目費目", "摘要摘要摘要",   "9,999,999",
                                  "9,999,999", "-999,999",     QString(38, u'x')};
        for (int column = 0; column < 7; ++column)
            EXPECT_LT(cells.horizontalAdvance(widest[column]), grid->columnWidth(column))
                << c.height << " " << column;
    }
}

// A full month of 999,999,999-yen items: each total whole, with its sign,
// and a blank's width at least between two figures.
TEST(MainEntryScreen, MonthTotalsShowWholeWithTheirSignsAtEverySize) {
    struct Case {
        int incomes;  // of the thousand items; the others are expenses
        QStringList totals;
    } cases[] = {
        {450, {"449,999,999,550", "549,999,999,450", "-99,999,999,900"}},
        {0, {"0", "999,999,999,000", "-999,999,999,000"}},
        {1000, {"999,999,999,000", "0", "999,999,999,000"}},
    };
    for (int height : {480, 600, 768}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(height) + " " + std::to_string(c.incomes));
            EntryWindow window({2026, 12, 7}, kMonthEnd, height);
            std::string month;
            for (int i = 0; i < 1000; ++i)
                month += i < c.incomes ? Record("261201", 1, "+999999999")
                                       : Record("261201", 2, "-999999999");
            window.folder.Write("202612.DAT", month);
            ASSERT_TRUE(window.Start());
            QStringList shown;
            int previousEnd = 0;
            for (const char* name : {"Label8", "Label2", "Label3", "Label4"}) {
                const auto* label = window.screen->findChild<QLabel*>(name);
                if (QString(name) != "Label8")
                    shown << label->text();
                const QFontMetrics metrics(label->font());
                const int advance = metrics.horizontalAdvance(label->text());
                EXPECT_LE(advance, label->contentsRect().width()) << name;
                const int start = label->x() + label->contentsRect().right() + 1 - advance;
                if (previousEnd > 0) {
                    EXPECT_GE(start - previousEnd, metrics.horizontalAdvance(" ")) << name;
                }
                previousEnd = label->x() + label->contentsRect().right() + 1;
            }
            EXPECT_EQ(shown, c.totals);
        }
    }
}

TEST(MainEntryScreen, StartUpStopsOrWarnsOnItsFiles) {
    {
        EntryWindow window;
        std::filesystem::remove(window.folder.path() + "/VERADIV.DAT");
        window.messages.Answer(false);
        EXPECT_FALSE(window.Start());
        ASSERT_EQ(window.messages.shown.size(), 1u);
        EXPECT_EQ(window.messages.shown[0].title, "新規作成");
        EXPECT_EQ(window.messages.shown[0].text,
                  "費目ファイル(Veradiv.Dat)がありません。新規作成しますか？");
    }
    for (const std::string& master : {std::string(), std::string("\x81\x00\xff\r\n", 5)}) {
        EntryWindow window;
        window.folder.Write("VERADIV.DAT", master);
        EXPECT_FALSE(window.Start());
        EXPECT_EQ(window.Titles(), QStringList{"ファイルエラー"});
        EXPECT_EQ(window.folder.Read("VERADIV.DAT"), master);
    }
    {
        EntryWindow window;
        window.fs.Arm({testing::FsCall::ReadAll, 2, EACCES});  // the settings file
        EXPECT_FALSE(window.Start());
        EXPECT_EQ(window.Titles(), QStringList{"ファイルエラー"});
    }
    {
        EntryWindow window;
        window.folder.Write("VERADIV.ENV", " 30 \r\n4,1\r\n");
        ASSERT_TRUE(window.Start());
        ASSERT_EQ(window.messages.shown.size(), 1u);
        EXPECT_TRUE(window.messages.shown[0].text.contains("31日"))
            << window.messages.shown[0].text.toStdString();
        EXPECT_EQ(window.state.closingDay(), kMonthEnd);
    }
}

TEST(MainEntryScreen, UnreadableRecordsAreKeptButNotShown) {
    EntryWindow window;
    const std::string good = Record("261207", 1, "+500");
    const std::string damaged(104, 'x');
    window.folder.Write("202612.DAT", good + damaged);
    ASSERT_TRUE(window.Start());
    ASSERT_EQ(window.messages.shown.size(), 1u);
    EXPECT_EQ(window.messages.shown[0].text.toStdString(), UnreadableRecordsNote(1));
    EXPECT_EQ(window.Cell(0, 3), "500");
    EXPECT_EQ(window.Cell(1, 1), "");

    window.EnterItem("2", "1", "300");
    EXPECT_EQ(window.folder.Read("202612.DAT"), good + damaged + Record("261207", 2, "-300"));
}

TEST(MainEntryScreen, DayViewShowsTheDaysItemsAndTheMonthsTotals) {
    EntryWindow window;
    const std::string longRemark(40, 'r');
    window.folder.Write(
        "202612.DAT", Record("261201", 2, "-1000") + Record("261207", 1, "+250000", "bonus") +
                          Record("261207", 2, "-12000000") +
                          Record("261207", 3, "-80000", longRemark) + Record("261210", 2, "-500"));
    ASSERT_TRUE(window.Start());
    const QStringList expected[] = {
        {"1", "給料", "月給", "250,000", "", "250,000", "bonus"},
        {"2", "食費", "朝食", "", "12,000,000", "-11,750,000", ""},
        {"3", "住居", "家賃", "", "80,000", "-11,830,000", QString::fromStdString(longRemark)},
        {"4", "", "", "", "", "", ""},
    };
    for (int row = 0; row < 4; ++row) {
        QStringList cells;
        for (int column = 0; column < 7; ++column)
            cells << window.Cell(row, column);
        EXPECT_EQ(cells, expected[row]) << row;
    }
    QTableWidget* grid = window.grid();
    EXPECT_EQ(grid->item(0, 2)->background().color(), QColor(255, 220, 220));
    EXPECT_EQ(grid->item(1, 2)->background().color(), QColor(220, 220, 255));
    const int normal = grid->font().pixelSize();
    EXPECT_LT(grid->item(1, 4)->font().pixelSize(), normal);  // 12,000,000
    EXPECT_LT(grid->item(2, 5)->font().pixelSize(), normal);  // below -999,999
    EXPECT_FALSE(grid->item(0, 3)->data(Qt::FontRole).isValid());
    EXPECT_EQ(grid->item(2, 6)->font().family(), kTerminal);
    EXPECT_FALSE(grid->item(0, 6)->data(Qt::FontRole).isValid());

    EXPECT_EQ(window.Text("Label9"), "12/10現在");
    EXPECT_EQ(window.Text("Label2"), "250,000");
    EXPECT_EQ(window.Text("Label3"), "12,081,500");
    EXPECT_EQ(window.Text("Label4"), "-11,831,500");
}

// The first and last grid rows (1-based) wholly in sight.
std::pair<int, int> RowsInSight(QTableWidget* grid) {
    std::pair<int, int> rows{0, 0};
    for (int row = 0; row < grid->rowCount(); ++row) {
        if (!grid->viewport()->rect().contains(grid->visualItemRect(grid->item(row, 0))))
            continue;
        rows.second = row + 1;
        if (rows.first == 0)
            rows.first = row + 1;
    }
    return rows;
}

TEST(MainEntryScreen, TheDayGridScrollsToItsLastRowsAfterEveryFill) {
    struct Case {
        int items;
        int rowCount;
        std::pair<int, int> inSight;
    };
    const Case cases[] = {
        {5, 29, {1, 15}}, {15, 29, {2, 16}}, {20, 29, {7, 21}}, {40, 40, {26, 40}}};
    for (const Case& c : cases) {
        EntryWindow window;
        std::string items;
        for (int i = 0; i < c.items; ++i)
            items += Record("261207", 2, "-1");
        window.folder.Write("202612.DAT", items + Record("261208", 2, "-1"));
        ASSERT_TRUE(window.Start());
        EXPECT_EQ(window.grid()->rowCount(), c.rowCount) << c.items;
        EXPECT_EQ(RowsInSight(window.grid()), c.inSight) << c.items;
        // A short day in between, then back.
        window.Press(Qt::Key_PageDown);
        EXPECT_EQ(RowsInSight(window.grid()), (std::pair{1, 15})) << c.items;
        window.Press(Qt::Key_PageUp);
        EXPECT_EQ(RowsInSight(window.grid()), c.inSight) << c.items;
    }

    EntryWindow window;
    std::string items;
    for (int i = 0; i < 35; ++i)
        items += Record("261207", 2, "-1");
    window.folder.Write("202612.DAT", items);
    ASSERT_TRUE(window.Start());
    window.EnterItem("2", "1", "36");
    EXPECT_EQ(window.Cell(35, 4), "36");
    EXPECT_EQ(RowsInSight(window.grid()), (std::pair{22, 36}));
}

// Pixels between the border of `cell` and its nearest dark (text) pixel.
int InkDistance(QTableWidget* grid, int row, int column, bool fromRight) {
    const QImage image = grid->viewport()->grab().toImage();
    const QRect cell = grid->visualItemRect(grid->item(row, column));
    for (int step = 0; step < cell.width(); ++step) {
        const int x = fromRight ? cell.right() - step : cell.left() + step;
        for (int y = cell.top(); y <= cell.bottom(); ++y) {
            if (QColor(image.pixel(x, y)).lightness() < 100)
                return step;
        }
    }
    return -1;
}

TEST(MainEntryScreen, GridTextKeepsClearOfTheCellBorders) {
    for (int height : {480, 600, 768}) {
        EntryWindow window({2026, 12, 7}, kMonthEnd, height);
        window.folder.Write("202612.DAT", Record("261207", 1, "+249550", "パン"));
        ASSERT_TRUE(window.Start());
        const int clear = window.grid()->font().pixelSize() / 3 + 1;
        EXPECT_GE(InkDistance(window.grid(), 0, 5, true), clear) << height;
        EXPECT_GE(InkDistance(window.grid(), 0, 6, false), clear) << height;
    }
}

TEST(MainEntryScreen, DateKeysStepAndLoadTheRightMonth) {
    struct Case {
        const char* name;
        int closingDay;
        CivilDate today;
        const char* file;
        std::string record;
        std::vector<Qt::Key> keys;  // from the day field
        const char* shown;          // real date of the day
        const char* heading;
        const char* lastEntry;
    };
    const Case cases[] = {
        {"next day across the year",
         kMonthEnd,
         {1999, 12, 31},
         "200001.DAT",
         Record("000101", 1, "+1", "found"),
         {Qt::Key_PageDown},
         "2000/1/1",
         "平成12年1月度 (12月31日)",
         "1/1現在"},
        {"previous day, closing day 25",
         25,
         {1999, 12, 26},
         "199912.DAT",
         Record("991225", 1, "+1", "found"),
         {Qt::Key_PageUp},
         "1999/12/25",
         "平成11年12月度 (12月26日)",
         "12/25現在"},
        {"previous month from January",
         kMonthEnd,
         {2000, 1, 15},
         "199912.DAT",
         Record("991201", 1, "+1", "found"),
         {Qt::Key_Escape, Qt::Key_PageUp},
         "1999/12/1",
         "平成11年12月度 (1月15日)",
         "12/1現在"},
        {"previous year",
         kMonthEnd,
         {2000, 3, 15},
         "199903.DAT",
         Record("990301", 1, "+1", "found"),
         {Qt::Key_Escape, Qt::Key_Escape, Qt::Key_PageUp},
         "1999/3/1",
         "平成11年3月度 (3月15日)",
         "3/1現在"},
        {"next month, closing day 25",
         25,
         {2000, 1, 20},
         "200002.DAT",
         Record("000126", 1, "+1", "found"),
         {Qt::Key_Escape, Qt::Key_PageDown},
         "2000/1/26",
         "平成12年2月度 (1月20日)",
         "1/26現在"},
        {"the previous day stops at 1950",
         kMonthEnd,
         {1950, 1, 1},
         "195001.DAT",
         Record("500101", 1, "+1", "found"),
         {Qt::Key_PageUp},
         "1950/1/1",
         "昭和25年1月度 (1月1日)",
         "1/1現在"},
        {"the next month stops at 2049",
         kMonthEnd,
         {2049, 12, 15},
         "204912.DAT",
         Record("491215", 1, "+1", "found"),
         {Qt::Key_Escape, Qt::Key_PageDown},
         "2049/12/15",
         "令和31年12月度 (12月15日)",
         "12/15現在"},
        {"month Enter shows day 1",
         kMonthEnd,
         {2000, 1, 15},
         "200001.DAT",
         Record("000101", 1, "+1", "found"),
         {Qt::Key_Escape, Qt::Key_Return},
         "2000/1/1",
         "平成12年1月度 (1月15日)",
         "1/1現在"},
    };
    for (const Case& c : cases) {
        EntryWindow window(c.today, c.closingDay);
        window.folder.Write(c.file, c.record);
        ASSERT_TRUE(window.Start());
        for (Qt::Key key : c.keys)
            window.Press(key);
        EXPECT_EQ(RealDateShown(window), c.shown) << c.name;
        EXPECT_EQ(window.Text("Label11"), c.heading) << c.name;
        EXPECT_EQ(window.Cell(0, 6), "found") << c.name;
        EXPECT_EQ(window.Text("Label9"), c.lastEntry) << c.name;
    }
}

TEST(MainEntryScreen, DateFieldsShowTheirLegendsAndIgnoreTyping) {
    EntryWindow window;
    ASSERT_TRUE(window.Start());
    window.Type("5a");
    EXPECT_EQ(window.Text("Text8"), "7");
    window.Press(Qt::Key_Escape);
    EXPECT_EQ(window.FocusName(), "Text7");
    EXPECT_EQ(window.Text("Label7"), kMonthLegend);
    window.Press(Qt::Key_Escape);
    EXPECT_EQ(window.FocusName(), "Text6");
    EXPECT_EQ(window.Text("Label7"), kYearLegend);
    window.Press(Qt::Key_Return);
    EXPECT_EQ(window.FocusName(), "Text7");
    EXPECT_EQ(RealDateShown(window), "2026/12/1");
}

TEST(MainEntryScreen, EscAsksBeforeTheProgramEnds) {
    struct Case {
        std::vector<Qt::Key> keys;  // from the day field; the last one asks
        bool ok;
    };
    const Case cases[] = {
        {{Qt::Key_Escape, Qt::Key_Escape, Qt::Key_Escape}, false},
        {{Qt::Key_Escape, Qt::Key_Escape, Qt::Key_Escape}, true},
        {{Qt::Key_Return, Qt::Key_Escape}, false},
        {{Qt::Key_Return, Qt::Key_Escape}, true},
    };
    for (const Case& c : cases) {
        EntryWindow window;
        window.folder.Write("202612.DAT", Record("261203", 2, "-100"));  // no new-month notice
        ASSERT_TRUE(window.Start());
        window.messages.Answer(c.ok);
        for (Qt::Key key : c.keys)
            window.Press(key);
        ASSERT_EQ(window.messages.shown.size(), 1u);
        EXPECT_EQ(window.messages.shown[0].title, "家計簿の終了");
        EXPECT_EQ(window.messages.shown[0].text, "終了しますか。　<Enter>OK  <Esc>キャンセル");
        EXPECT_EQ(window.screen->isVisible(), !c.ok);
    }
}

}  // namespace
}  // namespace hanaki

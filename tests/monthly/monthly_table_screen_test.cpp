#include "monthly/monthly_table_screen.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>

#include "monthly/month_files.h"
#include "settings/household.h"
#include "support/recording_print_surface.h"
#include "support/screen_fit.h"
#include "support/scripted_printer_dialog.h"
#include "ui/fitting_font.h"
#include "ui/fonts.h"

namespace hanaki::testing {
namespace {

// The monthly table over a household, with a main window that records the
// items handed to it and answers as `answer` says.
struct MonthlyTable {
    explicit MonthlyTable(int closingDay = kMonthEnd) {
        house.UseCategories(kMonthlyMaster);
        house.UseSettings(ClosingDaySettings(closingDay));
    }

    void WriteMonth(int year, int month, const std::vector<Item>& items) {
        house.temp.Write(LedgerFileName(year - 1900, month), LedgerBytes(items));
    }
    void Open(int year, int month) {
        auto scripted = std::make_unique<ScriptedPrinterDialog>(paper);
        dialog = scripted.get();
        auto handOff = [this](const PickedItem& item, QWidget*) {
            asked.push_back("correct " + std::to_string(item.year) + "/" +
                            std::to_string(item.month) + " slot " + std::to_string(item.slot) +
                            " " + Cp932ToUtf8(TrimRight(item.record.remark)));
            return answer;
        };
        screen = std::make_unique<MonthlyTableScreen>(state, house.services, std::move(scripted),
                                                      year - 1900, month, handOff);
        ShowActive(*screen);
    }
    // December 2026 of `items` on a screen `height` pixels tall.
    void OpenOnScreen(int height, const std::vector<Item>& items) {
        house.services.metrics = ScreenMetrics(height);
        WriteMonth(2026, 12, items);
        Open(2026, 12);
    }
    QTableWidget* grid() const { return Child<QTableWidget>(*screen, "MSFlexGrid1"); }
    int GridRows() const { return grid()->rowCount() + 1; }  // with the heading row
    int TopRow() const { return grid()->verticalScrollBar()->value() + 1; }
    // Column 0, the running number, is the row heading.
    QString Cell(int row, int column) const {
        QTableWidgetItem* item =
            column == 0 ? grid()->verticalHeaderItem(row - 1) : grid()->item(row - 1, column - 1);
        return item ? item->text() : QString();
    }
    // The type a body cell is drawn in.
    QFont CellFont(int row, int column) const {
        const QTableWidgetItem* item = grid()->item(row, column);
        return item->data(Qt::FontRole).isValid() ? item->font() : grid()->font();
    }
    QString Text(const char* name) const {
        if (auto* label = Child<QLabel>(*screen, name))
            return label->text();
        return Child<QLineEdit>(*screen, name)->text();
    }
    QStringList Totals() const { return {Text("Label3"), Text("Label4"), Text("Label5")}; }
    QString FocusName() const { return Focused() ? Focused()->objectName() : QString(); }

    Household house;
    ProgramState& state = house.state;
    RecordingPrintSurface paper;
    ScriptedPrinterDialog* dialog = nullptr;
    std::vector<std::string> asked;  // the items handed to the main window
    HandOffResult answer = HandOffResult::Opened;
    std::unique_ptr<MonthlyTableScreen> screen;
};

const QString kTableLegend = QStringLiteral(
    " <ESC>終了    <HOME>日付変更    <↑↓>前,後    <PageUp,Down>前頁,改頁    <Enter>訂正");

TEST(MonthlyTableScreen, AnEmptyMonthShowsEmptyRowsZeroTotalsAndCannotPrintOrCorrect) {
    MonthlyTable table;
    table.WriteMonth(2026, 12, DecemberItems(30));
    table.Open(2026, 12);
    EXPECT_EQ(table.Cell(30, 6), QStringLiteral("-30,000"));
    Press(Qt::Key_PageDown);
    Press(Qt::Key_PageDown);
    EXPECT_EQ(table.TopRow(), 6);  // scrolled down before the month changes

    Press(Qt::Key_Home);  // to the month field, then the empty January
    Press(Qt::Key_PageDown);
    EXPECT_EQ(table.TopRow(), 1);
    Press(Qt::Key_Return);
    EXPECT_EQ(table.GridRows(), 30);
    EXPECT_EQ(table.Cell(1, 0), QString());
    EXPECT_EQ(table.Totals(), (QStringList{"0", "0", "0"}));
    EXPECT_FALSE(Child<QPushButton>(*table.screen, "Command1")->isEnabled());
    EXPECT_EQ(table.grid()->currentRow(), 0);

    Press(Qt::Key_Return);
    Press(Qt::Key_F5);
    EXPECT_TRUE(table.screen->isVisible());
    EXPECT_TRUE(table.asked.empty());
    EXPECT_TRUE(table.dialog->asked.empty());
}

TEST(MonthlyTableScreen, FortyItemsScrollNoFurtherThanTheLastItem) {
    MonthlyTable table;
    table.WriteMonth(2026, 12, DecemberItems(40));
    table.Open(2026, 12);
    EXPECT_EQ(table.GridRows(), 41);
    EXPECT_EQ(table.Cell(40, 0), QStringLiteral("40"));
    EXPECT_EQ(table.Cell(40, 6), QStringLiteral("-40,000"));

    int highestTop = 0;
    for (Qt::Key key : {Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_Down,
                        Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown}) {
        Press(key);
        highestTop = std::max(highestTop, table.TopRow());
    }
    EXPECT_EQ(highestTop, 16);
    EXPECT_EQ(table.grid()->currentRow() + 1, 40);
    table.grid()->verticalScrollBar()->setValue(30);  // the mouse wheel is held to it too
    EXPECT_EQ(table.TopRow(), 16);
}

// The table's month is its own: the main window's month stays where it was.
TEST(MonthlyTableScreen, YearAndMonthKeysStepTheTablesOwnMonth) {
    struct Case {
        int year, month;
        std::vector<Qt::Key> keys;
        QString shownYear, shownMonth;
    };
    const std::vector<Case> cases = {
        // At 1950 the year stays but the month is still loaded and drawn again.
        {1950, 3, {Qt::Key_Home, Qt::Key_Escape, Qt::Key_PageUp}, "1950", "3"},
        // The year window does not hold the month field back.
        {1950, 1, {Qt::Key_Home, Qt::Key_PageUp}, "1949", "12"},
        {2026,
         12,
         {Qt::Key_Home, Qt::Key_Escape, Qt::Key_PageDown, Qt::Key_Return, Qt::Key_PageUp},
         "2027",
         "11"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shownYear.toStdString() + "/" + c.shownMonth.toStdString());
        MonthlyTable table;
        const CurrentDate mainWindows = table.state.date;
        table.Open(c.year, c.month);
        for (Qt::Key key : c.keys)
            Press(key);
        EXPECT_EQ(table.Text("Text1"), c.shownYear);
        EXPECT_EQ(table.Text("Text2"), c.shownMonth);
        EXPECT_EQ(table.state.date, mainWindows);
    }
    MonthlyTable redrawn;
    redrawn.Open(1950, 3);
    redrawn.WriteMonth(1950, 3, {{"500301", 1, 800}});  // appears on the redraw
    for (Qt::Key key : {Qt::Key_Home, Qt::Key_Escape, Qt::Key_PageUp})
        Press(key);
    EXPECT_EQ(redrawn.Cell(1, 4), QStringLiteral("800"));
    EXPECT_EQ(redrawn.Totals(), (QStringList{"800", "0", "800"}));
}

TEST(MonthlyTableScreen, WithAClosingDayTheDatesAreCalendarDates) {
    MonthlyTable table(25);
    // Accounting month December 2026 runs from 26 November to 25 December.
    table.WriteMonth(2026, 12, {{"261126", 2, 100}, {"261225", 2, 200}});
    table.Open(2026, 12);
    EXPECT_EQ(table.Cell(1, 1), QStringLiteral("11/26"));
    EXPECT_EQ(table.Cell(2, 1), QStringLiteral("12/25"));
}

TEST(MonthlyTableScreen, EnterHandsTheSelectedItemToCorrectionAndCloses) {
    MonthlyTable table(25);
    table.WriteMonth(
        2026, 12, {{"261126", 2, 100}, {"261127", 2, 200}, {"261127", 1, 300}, {"261128", 2, 400}});
    table.Open(2026, 12);
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    Press(Qt::Key_Return);
    EXPECT_EQ(table.asked, (std::vector<std::string>{"correct 2026/12 slot 3 "}));
    EXPECT_FALSE(table.screen->isVisible());
}

// Items come and go while the table is open: the row picked follows its item,
// and an item changed or deleted is picked no more and never handed on.
TEST(MonthlyTableScreen, ThePickFollowsItsItemAndNoOtherIsHandedOn) {
    const std::vector<Item> items = DecemberItems(5);  // 品目1 … 品目5, the fourth picked
    auto without = [&](int index) {
        std::vector<Item> fewer = items;
        fewer.erase(fewer.begin() + index);
        return fewer;
    };
    std::vector<Item> added = items;
    added.insert(added.begin(), Item{"261201", 3, 700, "新"});
    std::vector<Item> changed = items;
    changed[3].amount = 1234;
    struct Case {
        const char* what;
        std::vector<Item> month;
        int row;  // 0: none picked
        QString note;
    };
    const QString none = QStringLiteral("選んだ項目は変更されたか、削除されました。");
    const std::vector<Case> cases = {
        {"an earlier item deleted", without(1), 3, ""},  // one row up
        {"an item added before it", added, 5, ""},       // one row down
        {"a later item deleted", without(4), 4, ""},     // where it was
        {"the item changed", changed, 0, none},          // none picked
        {"the item deleted", without(3), 0, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MonthlyTable table;
        table.WriteMonth(2026, 12, items);
        table.Open(2026, 12);
        for (int i = 0; i < 3; ++i)
            Press(Qt::Key_Down);
        table.WriteMonth(2026, 12, c.month);
        table.screen->Refresh();
        EXPECT_EQ(table.grid()->selectedItems().size(), c.row == 0 ? 0 : 7);
        EXPECT_EQ(table.Text("PickNote"), c.note);
        Press(Qt::Key_Return);
        if (c.row != 0) {
            EXPECT_EQ(table.grid()->currentRow() + 1, c.row);
            EXPECT_EQ(table.asked, (std::vector<std::string>{"correct 2026/12 slot " +
                                                             std::to_string(c.row) + " 品目4"}));
            continue;
        }
        EXPECT_TRUE(table.asked.empty());
        ASSERT_EQ(table.house.messages.shown.size(), 1u);
        EXPECT_EQ(table.house.messages.shown[0].text,
                  "選んだ項目は変更されています。一覧を更新しましたので、もう一度選んでください。");
        Press(Qt::Key_Down);  // picks where the item was
        EXPECT_EQ(table.grid()->currentRow() + 1, 4);
        EXPECT_EQ(table.Text("PickNote"), QString());
    }
}

// The main window finds an item gone only when it changed; a refusal is the window's to tell.
TEST(MonthlyTableScreen, TheMainWindowsAnswerDecidesWhatTheTableDoes) {
    MonthlyTable table;
    table.WriteMonth(2026, 12, DecemberItems(3));
    table.Open(2026, 12);
    table.answer = HandOffResult::Refused;
    Press(Qt::Key_Return);
    EXPECT_TRUE(table.screen->isVisible());
    EXPECT_TRUE(table.house.messages.shown.empty());

    table.answer = HandOffResult::Gone;
    table.WriteMonth(2026, 12, {{"261210", 2, 5}});
    Press(Qt::Key_Return);
    EXPECT_TRUE(table.screen->isVisible());
    EXPECT_EQ(table.Cell(1, 5), QStringLiteral("5"));  // the list shown anew
    EXPECT_EQ(table.house.messages.shown.size(), 1u);
    EXPECT_EQ(table.asked.size(), 2u);
}

TEST(MonthlyTableScreen, OnlyAnEscapePressedInTheTableClosesIt) {
    MonthlyTable table;
    table.WriteMonth(2026, 12, DecemberItems(2));
    table.Open(2026, 12);
    // The release of the Esc that cancelled the printer dialog.
    Release(Focused(), Qt::Key_Escape);
    EXPECT_TRUE(table.screen->isVisible());
    Press(Qt::Key_Escape);
    EXPECT_FALSE(table.screen->isVisible());
}

TEST(MonthlyTableScreen, CancellingThePrinterDialogPrintsNothingAndReturnsToTheTable) {
    for (const std::vector<Qt::Key>& before :
         {std::vector<Qt::Key>{}, {Qt::Key_Home}, {Qt::Key_Home, Qt::Key_Escape}}) {
        SCOPED_TRACE(before.size());
        MonthlyTable table;
        table.WriteMonth(2026, 12, DecemberItems(5));
        table.Open(2026, 12);
        table.dialog->cancel = true;
        for (Qt::Key key : before)
            Press(key);
        Press(Qt::Key_F5);
        EXPECT_EQ(table.dialog->asked, std::vector<QString>{"202612月度"});
        EXPECT_TRUE(table.paper.sheets.empty());
        EXPECT_EQ(table.FocusName(), QStringLiteral("MSFlexGrid1"));
        EXPECT_EQ(table.Text("Label2"), kTableLegend);
        Press(Qt::Key_Down);
        Press(Qt::Key_Return);
        EXPECT_EQ(table.asked.back(), "correct 2026/12 slot 2 品目2");
    }
}

TEST(MonthlyTableScreen, F5PrintsTheShownMonthWithTheTotalsOnScreen) {
    MonthlyTable table;
    table.WriteMonth(2026, 12, {{"261201", 1, 250000}, {"261205", 2, 1200}});
    table.house.temp.Write("202612.MEM", MemoBytes({{5, {"買い物", "", ""}}}));
    table.Open(2026, 12);
    EXPECT_EQ(table.Totals(), (QStringList{"250,000", "1,200", "248,800"}));
    Press(Qt::Key_F5);
    ASSERT_EQ(table.paper.sheets.size(), 1u);
    const std::vector<std::string> texts = table.paper.TextsOf(0);
    EXPECT_EQ(std::vector(texts.end() - 7, texts.end()),
              (std::vector<std::string>{
                  "2545,1475 ＭＳ ゴシック 11 [ 合 計 ]",
                  "3650,1475 ＭＳ ゴシック 11 [  250,000]",
                  "4640,1475 ＭＳ ゴシック 11 [    1,200]",
                  "5680,1475 ＭＳ ゴシック 11 [ 残高   248,800]",
                  "1390,2200 ＭＳ ゴシック 11 [     2026年12月度   メ モ 欄 ]",
                  "400,2450 ＭＳ 明朝 11 [12/5]",
                  "1260,2450 ＭＳ 明朝 11 [買い物]",
              }));
    EXPECT_EQ(table.FocusName(), QStringLiteral("MSFlexGrid1"));
}

TEST(MonthlyTableScreen, LongRemarksAreShownInTheSmallFont) {
    MonthlyTable table;
    const std::string remark23 = "あいうえおかきくけこさしすせそたちつてとなにぬ";
    table.WriteMonth(2026, 12, {{"261201", 2, 0, remark23 + "ね"}, {"261202", 2, 0, remark23}});
    table.Open(2026, 12);
    const int normal = table.grid()->item(1, 6)->font().pixelSize();
    EXPECT_LT(table.grid()->item(0, 6)->font().pixelSize(), normal);
    EXPECT_EQ(table.Cell(1, 5), QString());  // 0 yen: an empty amount, an unchanged balance
    EXPECT_EQ(table.Cell(2, 6), QStringLiteral("0"));
}

TEST(MonthlyTableScreen, EveryScreenClassShowsTheWholeTableOnItsScreen) {
    InstallFontSubstitutions();
    // Seven-digit amounts, and the longest remarks of the normal and of the small font.
    const std::string remark23 = "あいうえおかきくけこさしすせそたちつてとなにぬ";
    std::vector<Item> items{{"261230", 1, 9999999, remark23},
                            {"261231", 2, 9999999, remark23 + "ねのはひふへほ"}};
    for (int day = 1; day <= 29; ++day)
        items.insert(items.begin(), Item{"261201", 3, 1000, "x"});
    for (const ScreenClass& size : kScreenClasses) {
        SCOPED_TRACE(size.height);
        MonthlyTable table;
        table.OpenOnScreen(size.height, items);
        ExpectWholeWithin(*table.screen, size.Room());
        QTableWidget* grid = table.grid();
        EXPECT_GE(grid->rowHeight(0), QFontMetrics(grid->font()).height());
        for (int column = 0; column < grid->columnCount(); ++column) {
            for (int row : {0, 29, 30}) {
                const QTableWidgetItem* item = grid->item(row, column);
                EXPECT_LT(QFontMetrics(table.CellFont(row, column))
                              .horizontalAdvance(item->text().trimmed()),
                          grid->columnWidth(column))
                    << row << " " << column;
            }
        }
    }
}

// A thousand nine-digit expenses: every amount, balance and total whole, minus included.
TEST(MonthlyTableScreen, TheLargestFiguresShowWholeAtEverySize) {
    InstallFontSubstitutions();
    const std::vector<Item> items(1000, Item{"261201", 2, 999999999});
    for (const ScreenClass& size : kScreenClasses) {
        SCOPED_TRACE(size.height);
        MonthlyTable table;
        table.OpenOnScreen(size.height, items);
        EXPECT_EQ(table.Totals(), (QStringList{"0", "999,999,999,000", "-999,999,999,000"}));
        ExpectWholeWithin(*table.screen, size.Room());
        for (int column = 3; column <= 5; ++column) {
            for (int row : {0, 998, 999}) {
                const QString text = table.grid()->item(row, column)->text();
                EXPECT_LE(QFontMetrics(table.CellFont(row, column)).horizontalAdvance(text),
                          CellTextRoom(table.grid(), column))
                    << row << " " << column << " " << text.toStdString();
                EXPECT_GE(QFontInfo(table.CellFont(row, column)).pixelSize(), 8) << row;
            }
        }
        const QHeaderView* numbers = table.grid()->verticalHeader();
        const int room = numbers->width() - 2 * numbers->style()->pixelMetric(
                                                    QStyle::PM_HeaderMargin, nullptr, numbers);
        for (int row : {1, 999, 1000}) {
            EXPECT_EQ(table.Cell(row, 0), QString::number(row));
            const QTableWidgetItem* number = table.grid()->verticalHeaderItem(row - 1);
            const QFont font =
                number->data(Qt::FontRole).isValid() ? number->font() : numbers->font();
            EXPECT_LE(QFontMetrics(font).horizontalAdvance(number->text()), room) << row;
        }
    }
}

// Names of twelve bytes, as hand-edited masters and old files hold them: whole,
// never cut inside a character, and in type that can be read.
TEST(MonthlyTableScreen, TwelveByteNamesShowWholeAtEverySize) {
    InstallFontSubstitutions();
    const std::string items =
        RecordBytes(
            {.date = "261201", .categoryName = "費目費目費目", .descriptionName = "摘要摘要摘要"}) +
        RecordBytes(
            {.date = "261202", .categoryName = "ABCDEFGHIJKL", .descriptionName = "ｱｲｳｴｵｶｷｸｹｺｻｼ"});
    for (const ScreenClass& size : kScreenClasses) {
        SCOPED_TRACE(size.height);
        MonthlyTable table;
        table.house.services.metrics = ScreenMetrics(size.height);
        table.house.temp.Write("202612.DAT", items);
        table.Open(2026, 12);
        for (int row : {0, 1}) {
            for (int column : {1, 2}) {
                const QString text = table.grid()->item(row, column)->text();
                EXPECT_EQ(text.size(), 6 * (1 + row)) << text.toStdString();
                EXPECT_LE(QFontMetrics(table.CellFont(row, column)).horizontalAdvance(text),
                          CellTextRoom(table.grid(), column))
                    << text.toStdString();
                EXPECT_GE(QFontInfo(table.CellFont(row, column)).pixelSize(), 8);
            }
        }
    }
}

}  // namespace
}  // namespace hanaki::testing

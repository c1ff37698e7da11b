#include <gtest/gtest.h>

#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include "data/formats/fixed_field.h"
#include "household.h"
#include "settings/budget_editor.h"
#include "support/ledger_records.h"
#include "ui/byte_limited_field.h"
#include "ui/row_tints.h"

namespace hanaki::testing {
namespace {

std::string Item(int category, const std::string& amount) {
    return RecordBytes({.date = "240501", .category = TwoDigits(category), .amount = amount});
}

std::string SettingsFile(const std::string& budgets, const std::string& flags) {
    return " 25 \r\n3,1\r\n" + budgets + "\r\n" + flags + "\r\n";
}

const std::string kAllOn = "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1";

// Rows: 1 給料, 2 臨時, 3 入金計, 4 食費, 5 住居, 6 出金計.
class Budgets : public ::testing::Test {
  protected:
    Budgets() {
        home.UseCategories(
            "+給料\r\n基本給,賞与\r\n-食費\r\n朝食,昼食\r\n+臨時\r\n雑収入\r\n"
            "-住居\r\n家賃\r\n");
        home.UseSettings(SettingsFile("250000,12000,,,,,,,,,,,,,,,,,,", kAllOn));
    }
    void Open() {
        screen = std::make_unique<BudgetEditor>(home.state, home.services);
        info = Child<QTableWidget>(*screen, "Grid1");
        budgets = Child<QTableWidget>(*screen, "Grid2");
        ShowActive(*screen);
    }
    QString Info(int row, int column) const { return info->item(row - 1, column)->text(); }
    QString Budget(int row) const { return budgets->item(row - 1, 0)->text(); }
    int Row() const { return budgets->currentRow() + 1; }
    QCheckBox* Flag(int row) const {
        return Child<QCheckBox>(*screen, ("Check1_" + std::to_string(row - 1)).c_str());
    }
    void Save() { Child<QPushButton>(*screen, "Command3")->click(); }
    std::string Line(int n) const {
        std::string bytes = home.temp.Read("VERADIV.ENV");
        for (int i = 1; i < n; ++i)
            bytes = bytes.substr(bytes.find("\r\n") + 2);
        return bytes.substr(0, bytes.find("\r\n"));
    }

    Household home;
    std::unique_ptr<BudgetEditor> screen;
    QTableWidget* info = nullptr;
    QTableWidget* budgets = nullptr;
};

TEST_F(Budgets, incomeAndExpenseBlocksShowBudgetsAveragesAndSums) {
    home.temp.Write("202404.DAT", Item(2, "-20000") + Item(1, "+-3000"));
    home.temp.Write("202405.DAT", Item(2, "-15000") + Item(1, "+1000"));
    home.temp.Write("202403.DAT", "");  // an empty month counts for nothing
    Open();
    EXPECT_EQ(info->horizontalHeaderItem(3)->text(), "過去2ヶ月平均");
    const std::vector<std::vector<QString>> rows{
        {"1", "給料", "0", "250,000"},
        {"3", "臨時", "0", ""},
        {"", "       入金計", "0", "250,000"},
        {"2", "食費", "17,000", "12,000"},
        {"4", "住居", "0", ""},
        {"", "       出金計", "17,000", "12,000"},
    };
    for (int r = 1; r <= 6; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ((std::vector<QString>{Info(r, 0), Info(r, 1), Info(r, 3), Budget(r)}),
                  rows[r - 1]);
        EXPECT_EQ(Flag(r)->isVisible(), r != 3 && r != 6);
    }
    EXPECT_FALSE(Flag(7)->isVisible());
    EXPECT_EQ(budgets->item(0, 0)->background().color(), kIncomeTint);
    EXPECT_EQ(info->item(3, 3)->background().color(), kExpenseTint);
}

TEST_F(Budgets, withoutMonthDataTheHeadingStaysAndAveragesAreZero) {
    Open();
    EXPECT_EQ(info->horizontalHeaderItem(3)->text(), "過 去 平 均");
    EXPECT_EQ(Info(4, 3), "0");
}

TEST_F(Budgets, theSelectionStaysOnCategoryRowsAndListsTheirDescriptions) {
    Open();
    // A key, or a click on row `clicked` when there is one.
    struct Step {
        Qt::Key key;
        int clicked;
        int row;
        const char* first;
    };
    const Step steps[] = {
        {Qt::Key_Up, 0, 1, "基本給"},      {Qt::Key_Down, 0, 2, "雑収入"},
        {Qt::Key_Down, 0, 4, "朝食"},      {Qt::Key_Up, 0, 2, "雑収入"},
        {Qt::Key_Down, 0, 4, "朝食"},      {Qt::Key_Down, 0, 5, "家賃"},
        {Qt::Key_Down, 0, 5, "家賃"},      {Qt::Key_End, 0, 5, "家賃"},
        {Qt::Key_Home, 0, 1, "基本給"},    {Qt::Key_PageDown, 0, 5, "家賃"},
        {Qt::Key_PageUp, 0, 1, "基本給"},  {Qt::Key_unknown, 1, 1, "基本給"},
        {Qt::Key_unknown, 3, 2, "雑収入"},  // 入金計 from above: the last income row
        {Qt::Key_unknown, 4, 4, "朝食"},   {Qt::Key_unknown, 3, 2, "雑収入"},  // and from below
        {Qt::Key_unknown, 6, 5, "家賃"},                                       // 出金計
        {Qt::Key_unknown, 1, 1, "基本給"}, {Qt::Key_unknown, 12, 5, "家賃"},
    };
    EXPECT_EQ(Row(), 1);
    for (const auto& [key, clicked, row, first] : steps) {
        SCOPED_TRACE(clicked ? "click on row " + std::to_string(clicked) : "key");
        if (clicked)
            QTest::mouseClick(budgets->viewport(), Qt::LeftButton, {},
                              budgets->visualItemRect(budgets->item(clicked - 1, 0)).center());
        else
            Press(key);
        EXPECT_EQ(Row(), row);
        EXPECT_EQ(Info(1, 2), first);
        EXPECT_EQ(info->currentRow() + 1, row);
        // The highlight is where the keys act.
        EXPECT_EQ(budgets->selectedItems(), QList<QTableWidgetItem*>{budgets->currentItem()});
        EXPECT_EQ(info->selectedItems(), QList<QTableWidgetItem*>{info->item(row - 1, 1)});
    }
    EXPECT_EQ(Info(2, 2), "");
}

TEST_F(Budgets, withNoIncomeCategoryTheFirstExpenseRowIsSelected) {
    home.UseCategories("-食費\r\n朝食\r\n");
    Open();
    EXPECT_EQ(Row(), 2);
    Press(Qt::Key_Up);
    EXPECT_EQ(Row(), 2);
    EXPECT_EQ(Info(1, 2), "朝食");
}

// A budget is digits: an input method left on composes none of them, so one Enter takes it.
TEST_F(Budgets, anInputMethodLeftOnLeavesTheDigitsToTheKeys) {
    Open();
    InputMethod on;
    on.Type("1200");
    EXPECT_EQ(on.Composing(), "");
    on.Enter();
    EXPECT_EQ(Budget(1), "1,200");
    EXPECT_EQ(Focused(), budgets);
}

TEST_F(Budgets, typedBudgetsAndSpaceFlippedFlagsAreSavedAsLinesThreeAndFour) {
    Open();
    Press(Qt::Key_Down);
    Type("1234567");
    Press(Qt::Key_Return);
    EXPECT_EQ(Budget(2), "1,234,567");
    EXPECT_EQ(Budget(3), "1,484,567");
    Press(Qt::Key_Space);  // 臨時 off
    Press(Qt::Key_Down);
    Press(Qt::Key_Delete);  // 食費 emptied
    Press(Qt::Key_Return);
    EXPECT_EQ(Budget(4), "");
    EXPECT_EQ(Budget(6), "0");
    EXPECT_FALSE(Flag(2)->isChecked());
    EXPECT_TRUE(Flag(1)->isChecked());
    Save();
    EXPECT_EQ(Line(1), " 25 ");
    EXPECT_EQ(Line(2), "3,1");
    EXPECT_EQ(Line(3), "250000,,1234567,,,,,,,,,,,,,,,,,");
    EXPECT_EQ(Line(4), "1,1,0,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1");
    EXPECT_EQ(home.state.settings.budgets[3], "1234567");
    EXPECT_EQ(home.state.settings.summaryFlags[3], 0);
}

TEST_F(Budgets, aBudgetAboveTheLargestSumIsRefusedNotWrapped) {
    Open();
    Type("2147483648");
    Press(Qt::Key_Return);
    ASSERT_EQ(home.messages.shown.size(), 1u);
    auto* editor = Child<ByteLimitedField>(*screen, "Text1");
    EXPECT_TRUE(editor->isVisible());
    Press(Qt::Key_Backspace);
    Type("7");
    Type("9");  // an eleventh digit does not go in
    Press(Qt::Key_Return);
    EXPECT_EQ(Budget(1), "2,147,483,647");
    Press(Qt::Key_Down);
    Type("2147483647");
    Press(Qt::Key_Return);
    EXPECT_EQ(Budget(3), "4,294,967,294");
}

TEST_F(Budgets, aNineDigitBudgetSurvivesAnUnchangedConfirmation) {
    home.UseSettings(SettingsFile("123456789,,,,,,,,,,,,,,,,,,,", kAllOn));
    Open();
    Press(Qt::Key_Return);
    EXPECT_EQ(Child<ByteLimitedField>(*screen, "Text1")->text(), "123456789");
    Press(Qt::Key_Return);
    EXPECT_EQ(Budget(1), "123,456,789");
    Save();
    EXPECT_EQ(Line(3), "123456789,,,,,,,,,,,,,,,,,,,");
}

TEST_F(Budgets, whatTheScreenDidNotChangeIsSavedAsTheFileHeldIt) {
    const std::string flags = "2,1,5,0,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1";
    const std::string file = SettingsFile("abc,+500,-300,12345.6,,,,,,,,,,,,,,,,", flags);
    home.UseSettings(file);
    Open();
    // As the summaries read them: marked when no budget, in whole yen, only budgets summed.
    EXPECT_EQ(Budget(1), "abc?");
    EXPECT_EQ(Budget(2), "-300?");
    EXPECT_EQ(Budget(3), "0");
    EXPECT_EQ(Budget(4), "500");
    EXPECT_EQ(Budget(5), "12,345");
    EXPECT_EQ(Budget(6), "12,845");
    EXPECT_EQ(Flag(1)->checkState(), Qt::PartiallyChecked);
    Press(Qt::Key_Space);  // the greyed state is not flipped
    EXPECT_EQ(Flag(1)->checkState(), Qt::PartiallyChecked);
    Save();
    EXPECT_TRUE(home.messages.shown.empty());
    EXPECT_EQ(home.temp.Read("VERADIV.ENV"), file);

    Open();
    Press(Qt::Key_Down);
    Press(Qt::Key_Space);  // 臨時 (flag 5) off
    Save();
    EXPECT_EQ(Line(4), "2,1,0,0,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1");
    EXPECT_EQ(Line(3), "abc,+500,-300,12345.6,,,,,,,,,,,,,,,,");
}

TEST_F(Budgets, aSaveThatWouldLoseUnreadableSettingsNamesThemAndAsks) {
    home.UseSettings(
        SettingsFile(",,,,,,,,,,,,,,,,,,,", "1,x,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,9"));
    const std::string before = home.temp.Read("VERADIV.ENV");
    Open();
    home.messages.Answer(false);
    Save();
    ASSERT_EQ(home.messages.shown.size(), 1u);
    EXPECT_TRUE(home.messages.shown[0].question);
    EXPECT_EQ(home.messages.shown[0].text,
              "設定ファイル(Veradiv.Env)の次の内容は読み取れないため、保存すると失われます。\n\n"
              "費目2の集計フラグ「x」\n余分な値「9」(4行目)\n\nこのまま保存しますか？");
    EXPECT_EQ(home.temp.Read("VERADIV.ENV"), before);
    EXPECT_TRUE(screen->isVisible());
    Save();
    EXPECT_EQ(Line(4), kAllOn);
    EXPECT_FALSE(screen->isVisible());
}

TEST_F(Budgets, reloadRestoresBudgetsFlagsAndSums) {
    Open();
    Type("9");
    Press(Qt::Key_Return);
    Press(Qt::Key_Space);
    Child<QPushButton>(*screen, "Command2")->click();
    EXPECT_EQ(Budget(1), "250,000");
    EXPECT_EQ(Budget(3), "250,000");
    EXPECT_TRUE(Flag(1)->isChecked());
}

TEST_F(Budgets, tabReachesTheButtonsAndEscLeavesEverythingAsItWas) {
    Open();
    Type("5");
    Press(Qt::Key_Tab);  // commits, then 保存終了
    EXPECT_EQ(Budget(1), "5");
    EXPECT_EQ(Focused(), Child<QPushButton>(*screen, "Command3"));
    Press(Qt::Key_Tab);
    EXPECT_EQ(Focused(), Child<QPushButton>(*screen, "Command2"));
    Press(Qt::Key_Tab);
    EXPECT_EQ(Focused(), Child<QPushButton>(*screen, "Command1"));
    Press(Qt::Key_Backtab);
    Press(Qt::Key_Space);  // 再読み込み
    EXPECT_EQ(Budget(1), "250,000");
    Press(Qt::Key_Escape);
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(home.state.settings.budgets[1], "250000");
    EXPECT_EQ(Line(3), "250000,12000,,,,,,,,,,,,,,,,,,");
}

}  // namespace
}  // namespace hanaki::testing

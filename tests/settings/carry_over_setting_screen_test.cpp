#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "household.h"
#include "settings/carry_over_setting_screen.h"

namespace hanaki::testing {
namespace {

class CarryOver : public ::testing::Test {
  protected:
    CarryOver() {
        home.UseCategories("+給料\r\n基本給,賞与\r\n+臨時\r\n雑収入\r\n-食費\r\n朝食\r\n");
        home.UseSettings(" 25 \r\n");
    }
    void Open() {
        screen = std::make_unique<CarryOverSettingScreen>(home.state, home.services);
        ShowActive(*screen);
    }
    // Category, its label, description, its label.
    QStringList Shown() const {
        return {
            Child<QLineEdit>(*screen, "Text1")->text(), Child<QLabel>(*screen, "Label1")->text(),
            Child<QLineEdit>(*screen, "Text2")->text(), Child<QLabel>(*screen, "Label2")->text()};
    }
    QString Legend() const { return Child<QLabel>(*screen, "Label4")->text(); }

    Household home;
    std::unique_ptr<CarryOverSettingScreen> screen;
};

TEST_F(CarryOver, pageKeysWalkTheCategoriesButNeverPastTheList) {
    Open();
    const QString none = "自動繰り越しなし";
    EXPECT_EQ(Shown(), (QStringList{"0", none, "0", none}));
    const std::vector<std::pair<Qt::Key, QStringList>> steps{
        {Qt::Key_PageDown, {"1", "給料", "1", "基本給"}},
        {Qt::Key_PageDown, {"2", "臨時", "1", "雑収入"}},
        {Qt::Key_PageDown, {"3", "支出費目", "1", "支出費目"}},
        {Qt::Key_PageDown, {"3", "支出費目", "1", "支出費目"}},  // 4 has no name
        {Qt::Key_Return, {"3", "支出費目", "1", "支出費目"}},    // an expense cannot be chosen
        {Qt::Key_PageUp, {"2", "臨時", "1", "雑収入"}},
        {Qt::Key_PageUp, {"1", "給料", "1", "基本給"}},
        {Qt::Key_PageUp, {"0", none, "0", none}},
        {Qt::Key_PageUp, {"0", none, "0", none}},
    };
    for (const auto& [key, shown] : steps) {
        Press(key);
        EXPECT_EQ(Shown(), shown);
        EXPECT_EQ(Focused(), Child<QLineEdit>(*screen, "Text1"));
    }
}

TEST_F(CarryOver, aSavedCategoryTheMasterNoLongerNamesOffersNoEnter) {
    home.UseSettings(" 25 \r\n4,1\r\n");
    Open();
    EXPECT_EQ(Legend(), "<Esc>      設定破棄<PageUp,Down>費目選択");
    Press(Qt::Key_Return);
    EXPECT_EQ(Focused(), Child<QLineEdit>(*screen, "Text1"));
    Press(Qt::Key_PageUp);
    EXPECT_EQ(Shown()[0], "3");
}

TEST_F(CarryOver, confirmingNoCarryOverWritesZeroZeroAsLineTwo) {
    Open();
    Press(Qt::Key_PageDown);
    Press(Qt::Key_PageUp);
    EXPECT_EQ(Legend(), "<Esc>      設定破棄<PageUp,Down>費目選択  <Enter>  決定ボタンへ");
    Press(Qt::Key_Return);
    auto* confirm = Child<QPushButton>(*screen, "Command1");
    EXPECT_TRUE(confirm->isEnabled());
    EXPECT_EQ(Focused(), confirm);
    Press(Qt::Key_Escape);  // back to the category, the button off again
    EXPECT_FALSE(confirm->isEnabled());
    Press(Qt::Key_Return);
    Press(Qt::Key_Return);
    EXPECT_EQ(home.temp.Read("VERADIV.ENV"), " 25 \r\n0,0\r\n");
    EXPECT_EQ(screen->result(), QDialog::Accepted);
}

TEST_F(CarryOver, aDescriptionIsChosenWithinItsCategorysList) {
    Open();
    Press(Qt::Key_PageDown);
    Press(Qt::Key_Return);
    EXPECT_EQ(Legend(), "<Esc>      費目選択へ<PageUp,Down>摘要選択  <Enter>  決定ボタンへ");
    Press(Qt::Key_PageUp);  // no description 0
    Press(Qt::Key_PageDown);
    Press(Qt::Key_PageDown);  // no description 3
    EXPECT_EQ(Shown(), (QStringList{"1", "給料", "2", "賞与"}));
    Press(Qt::Key_Return);
    EXPECT_EQ(Legend(), "<Esc>        戻る   <Enter>  設定終了");
    Press(Qt::Key_Return);
    EXPECT_EQ(home.temp.Read("VERADIV.ENV"), " 25 \r\n1,2\r\n");
    EXPECT_EQ(home.state.settings.carryOverCategory, 1);
    EXPECT_EQ(home.state.settings.carryOverDescription, 2);
}

TEST_F(CarryOver, savingReplacesOnlyLineTwoOfAFullFile) {
    const std::string budgets = "50000,,,,,,,,,,,,,,,,,,,";
    const std::string flags = "1,0,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1";
    home.UseSettings(" 25 \r\n1,1\r\n" + budgets + "\r\n" + flags + "\r\n");
    Open();
    EXPECT_EQ(Shown(), (QStringList{"1", "給料", "1", "基本給"}));
    Press(Qt::Key_PageDown);
    Press(Qt::Key_Return);
    Press(Qt::Key_Return);
    Press(Qt::Key_Return);
    EXPECT_EQ(home.temp.Read("VERADIV.ENV"), " 25 \r\n2,1\r\n" + budgets + "\r\n" + flags + "\r\n");
}

TEST_F(CarryOver, escAndCancelLeaveFileAndMemoryAlone) {
    Open();
    Press(Qt::Key_PageDown);
    Press(Qt::Key_Escape);
    Open();
    Press(Qt::Key_PageDown);
    Child<QPushButton>(*screen, "Command2")->click();
    EXPECT_EQ(home.temp.Read("VERADIV.ENV"), " 25 \r\n");
    EXPECT_EQ(home.state.settings.carryOverCategory, 0);
}

}  // namespace
}  // namespace hanaki::testing

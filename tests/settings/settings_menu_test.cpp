#include <gtest/gtest.h>

#include <QDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>

#include "household.h"
#include "settings/settings_menu.h"
#include "support/cp932_text.h"
#include "ui/sub_screen.h"

namespace hanaki::testing {
namespace {

class Menu : public ::testing::Test {
  protected:
    Menu() {
        home.UseCategories("+給料\r\n基本給\r\n");
        home.UseSettings(" 25 \r\n0,0\r\n");
        ShowActive(menu);
    }
    // The screens the menu holds open, by their window names.
    QStringList OpenScreens() const {
        QStringList names;
        for (QDialog* screen : menu.findChildren<QDialog*>()) {
            if (screen->isVisible())
                names << screen->objectName();
        }
        names.sort();
        return names;
    }
    void Back() {
        for (QDialog* screen : menu.findChildren<QDialog*>())
            screen->close();
        QApplication::setActiveWindow(&menu);
    }

    Household home;
    SettingsMenu menu{home.state, home.services};
};

TEST_F(Menu, digitsOpenTheirScreenWhicheverButtonHasTheFocus) {
    const std::vector<std::pair<const char*, const char*>> cases{
        {"1", "Form3"}, {"2", "Form13"}, {"3", "Form11"}};
    for (const auto& [digit, screen] : cases) {
        Child<QPushButton>(menu, "Command3")->setFocus();
        Type(digit);
        EXPECT_EQ(OpenScreens(), QStringList{screen});
        Back();
    }
}

TEST_F(Menu, arrowsMoveBetweenTheButtonsAndEnterPressesTheFocusedOne) {
    EXPECT_EQ(Focused(), Child<QPushButton>(menu, "Command1"));
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    Press(Qt::Key_Up);
    EXPECT_EQ(Focused(), Child<QPushButton>(menu, "Command2"));
    Press(Qt::Key_Return);
    EXPECT_EQ(OpenScreens(), QStringList{"Form13"});
}

TEST(FocusFrame, isDrawnOnTheFirstButtonAndOn決定BeforeAnyArrowKey) {
    Household home;
    home.UseCategories("+給料\r\n基本給\r\n");
    home.UseSettings(" 25 \r\n0,0\r\n");
    QWidget opener;
    ShowActive(opener);
    SettingsMenu menu(home.state, home.services, &opener);
    ShowInFrontOf(&menu, &opener);
    QApplication::setActiveWindow(&menu);
    EXPECT_TRUE(DrawsFocusFrame(Child<QPushButton>(menu, "Command1")));

    Type("3");
    auto* carryOver = menu.findChild<QDialog*>("Form11");
    ASSERT_NE(carryOver, nullptr);
    QApplication::setActiveWindow(carryOver);
    Press(Qt::Key_Return);  // no carry-over: on to 決定
    auto* confirm = Child<QPushButton>(*carryOver, "Command1");
    EXPECT_EQ(Focused(), confirm);
    EXPECT_TRUE(DrawsFocusFrame(confirm));
}

TEST_F(Menu, aScreenAlreadyOpenIsNotOpenedTwice) {
    Type("1");
    QApplication::setActiveWindow(&menu);
    Child<QPushButton>(menu, "Command1")->click();
    EXPECT_EQ(menu.findChildren<QDialog*>().size(), 1);
}

TEST_F(Menu, aSavedMasterIsAnnouncedSoTheShownGuideCanFollow) {
    QSignalSpy saved(&menu, &SettingsMenu::categoriesSaved);
    Type("1");
    auto* editor = menu.findChild<QDialog*>("Form3");
    Child<QPushButton>(*editor, "Command1")->click();  // キャンセル
    EXPECT_EQ(saved.count(), 0);

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::setActiveWindow(&menu);
    Type("1");
    editor = menu.findChild<QDialog*>("Form3");
    Child<QTableWidget>(*editor, "Grid1")->item(1, 0)->setText("食費");
    Child<QPushButton>(*editor, "Command3")->click();  // 保存終了
    EXPECT_EQ(saved.count(), 1);
    EXPECT_EQ(home.state.categories.names[2], Sjis("食費"));
}

TEST_F(Menu, escClosesTheMenuAlone) {
    Press(Qt::Key_Escape);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_TRUE(OpenScreens().isEmpty());
    EXPECT_EQ(home.temp.Read("VERADIV.ENV"), " 25 \r\n0,0\r\n");
}

TEST_F(Menu, sixSwitchesTheOneDigitOptionAndKeepsItInTheFolder) {
    auto* button = Child<QPushButton>(menu, "Command6");
    EXPECT_EQ(button->text(), "6. 1桁の番号で次へ: 切");  // off until chosen
    const std::pair<bool, const char*> steps[] = {{true, "=1\r\n"}, {false, "=0\r\n"}};
    for (const auto& [on, line] : steps) {
        Type("6");
        EXPECT_EQ(home.state.entryOptions.oneDigitMovesOn, on);
        EXPECT_EQ(button->text(), on ? "6. 1桁の番号で次へ: 入" : "6. 1桁の番号で次へ: 切");
        EXPECT_EQ(home.temp.Read("NYURYOKU.TXT"), Sjis("1桁で次へ") + line);
    }
    EXPECT_EQ(OpenScreens(), QStringList{});
}

}  // namespace
}  // namespace hanaki::testing

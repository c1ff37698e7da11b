#include <gtest/gtest.h>

#include <QTableWidget>
#include <QTimer>

#include "household.h"
#include "settings/first_run.h"
#include "support/cp932_text.h"

namespace hanaki::testing {
namespace {

// Plays `keys` on the modal dialog once it is up; closes it if they did not.
void WhenModal(std::function<void()> keys) {
    QTimer::singleShot(0, [keys] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        QApplication::setActiveWindow(dialog);
        keys();
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the keys left " << dialog->objectName().toStdString() << " open";
            dialog->close();
        }
    });
}

TEST(FirstRun, anEmptyFolderIsSetUpByKeysAlone) {
    Household home;
    WhenModal([] {
        Commit("給料");  // on the grid: opens the editor holding the text
        Press(Qt::Key_Return);
        Press(Qt::Key_Right);
        Commit("基本給");
        Press(Qt::Key_Tab);     // commits, then 保存終了
        Press(Qt::Key_Return);  // saves and closes
    });
    ASSERT_TRUE(RunFirstRunCategoryEditor(home.state, home.services, nullptr));
    EXPECT_EQ(home.temp.Read("VERADIV.DAT"), Sjis("+給料\r\n基本給\r\n"));

    WhenModal([] {
        Press(Qt::Key_PageUp);
        Press(Qt::Key_PageUp);
        Press(Qt::Key_Return);
    });
    ASSERT_TRUE(RunFirstRunClosingDay(home.state, home.services, nullptr));
    EXPECT_EQ(home.temp.Read("VERADIV.ENV"), " 27 \r\n");

    WhenModal([] {
        Press(Qt::Key_PageDown);
        Press(Qt::Key_Return);
        Press(Qt::Key_Return);
        EXPECT_TRUE(DrawsFocusFrame(Focused()));  // on 決定, no arrow key pressed
        Press(Qt::Key_Return);
    });
    RunFirstRunCarryOver(home.state, home.services, nullptr);
    EXPECT_EQ(home.temp.Read("VERADIV.ENV"), " 27 \r\n1,1\r\n");
    EXPECT_EQ(home.state.settings.closingDay, 27);
    EXPECT_EQ(home.state.settings.carryOverCategory, 1);
    EXPECT_TRUE(home.messages.shown.empty());
}

TEST(FirstRun, leavingTheDialogsWithEscCreatesNoFile) {
    Household home;
    WhenModal([] { Press(Qt::Key_Escape); });
    EXPECT_FALSE(RunFirstRunCategoryEditor(home.state, home.services, nullptr));
    WhenModal([] { Press(Qt::Key_Escape); });
    EXPECT_FALSE(RunFirstRunClosingDay(home.state, home.services, nullptr));
    EXPECT_EQ(home.temp.FileCount(), 0u);
}

}  // namespace
}  // namespace hanaki::testing

#include <gtest/gtest.h>

#include <QLineEdit>

#include "household.h"
#include "settings/closing_day_dialog.h"
#include "support/faulty_file_system.h"

namespace hanaki::testing {
namespace {

TEST(ClosingDayDialog, pageKeysStepOverTheDaysThatCannotBeChosen) {
    struct Case {
        std::vector<Qt::Key> keys;
        const char* shown;
    };
    const Case cases[] = {
        {{}, "31"},
        {{Qt::Key_PageUp}, "28"},
        {{Qt::Key_PageUp, Qt::Key_PageUp}, "27"},
        {{Qt::Key_PageDown}, "1"},
        {{Qt::Key_PageDown, Qt::Key_PageDown}, "2"},
        {{Qt::Key_PageUp, Qt::Key_PageDown}, "31"},       // 28 → 31
        {{Qt::Key_PageDown, Qt::Key_PageUp}, "31"},       // 1 → 31
        {{Qt::Key_PageDown, Qt::Key_1, Qt::Key_A}, "1"},  // typing changes nothing
    };
    for (const Case& c : cases) {
        Household home;
        ClosingDayDialog dialog(home.state, home.services);
        ShowActive(dialog);
        for (Qt::Key key : c.keys)
            Press(key);
        EXPECT_EQ(Child<QLineEdit>(dialog, "Text1")->text(), c.shown);
    }
}

TEST(ClosingDayDialog, enterCreatesTheSettingsFileWithTheClosingDayAlone) {
    Household home;
    ClosingDayDialog dialog(home.state, home.services);
    ShowActive(dialog);
    for (int i = 0; i < 14; ++i)
        Press(Qt::Key_PageUp);  // 31, 28, 27 … 15
    Press(Qt::Key_Return);
    EXPECT_EQ(home.temp.Read("VERADIV.ENV"), " 15 \r\n");
    EXPECT_EQ(home.state.settings.closingDay, 15);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(ClosingDayDialog, escWritesNothing) {
    Household home;
    ClosingDayDialog dialog(home.state, home.services);
    ShowActive(dialog);
    Press(Qt::Key_PageUp);
    Press(Qt::Key_Escape);
    EXPECT_FALSE(home.temp.Exists("VERADIV.ENV"));
    EXPECT_EQ(home.state.settings.closingDay, 31);
}

TEST(ClosingDayDialog, aFileThatCannotBeCreatedIsReportedAndTheDialogStays) {
    FaultyFileSystem fs;
    Household home(fs);
    ClosingDayDialog dialog(home.state, home.services);
    ShowActive(dialog);
    fs.Arm({FsCall::CreateExclusive, 1, EACCES});
    Press(Qt::Key_PageUp);
    Press(Qt::Key_Return);
    ASSERT_EQ(home.messages.shown.size(), 1u);
    EXPECT_FALSE(home.temp.Exists("VERADIV.ENV"));
    EXPECT_EQ(home.state.settings.closingDay, 31);
    EXPECT_TRUE(dialog.isVisible());
}

}  // namespace
}  // namespace hanaki::testing

#include <gtest/gtest.h>

#include "data/history/history_store.h"
#include "entry_window.h"
#include "support/keyboard.h"
#include "support/wait.h"

namespace hanaki {
namespace {

using testing::January2000;
using testing::WaitFor;

const QString kAdded = QStringLiteral("1/20 食費 朝食 450 added の追加");

// A window with history and one item just added; the keys are in the category field.
struct Added : January2000 {
    Added() {
        KeepHistory(state.folder);
        EXPECT_TRUE(Start());
        EnterItem("2", "1", "450", "added");
        added = folder.Read("200001.DAT");
    }
    std::string added;
};

// Ctrl+Y and Ctrl+Shift+Z make again what Ctrl+Z took back, asked in its words.
TEST(UndoKeys, RedoOnTheMainWindowMakesAgainWhatTheUndoTookBack) {
    Added window;
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString message;
        bool added;
    };
    const Step steps[] = {
        {Qt::Key_Z, Qt::ControlModifier, kAdded + "を取り消しますか？", false},
        {Qt::Key_Y, Qt::ControlModifier, kAdded + "をやり直しますか？", true},
        {Qt::Key_Z, Qt::ControlModifier, kAdded + "を取り消しますか？", false},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, kAdded + "をやり直しますか？", true},
        {Qt::Key_Y, Qt::ControlModifier, "やり直せる取り消しはありません。", true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.message.toStdString());
        window.Press(step.key, step.modifiers);
        EXPECT_EQ(window.messages.shown.back().text, step.message);
        EXPECT_EQ(window.folder.Read("200001.DAT"), step.added ? window.added : window.bytes);
        EXPECT_EQ(window.Cell(0, 6), step.added ? "added" : "");
    }
}

// A folder opened for reading only says so before anything is asked.
TEST(UndoKeys, AReadOnlyFolderRefusesBothBeforeAsking) {
    January2000 window;
    window.state.folder = DataFolder(window.folder.path(), window.fs, DataFolder::Access::ReadOnly);
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Z, Qt::ControlModifier);
    window.Press(Qt::Key_Y, Qt::ControlModifier);
    ASSERT_EQ(window.messages.shown.size(), 2u);
    EXPECT_FALSE(window.messages.shown[0].question || window.messages.shown[1].question);
    EXPECT_EQ(window.messages.shown[0].text,
              "データフォルダを読み取り専用で開いているため、取り消しはできません。");
    EXPECT_EQ(window.messages.shown[1].text,
              "データフォルダを読み取り専用で開いているため、やり直しはできません。");
}

// Ctrl+Z and Ctrl+Y in each other window act as on the main window, and as
// there not while it has an item under way: that window then says why.
TEST(UndoKeys, EveryOtherWindowTakesThemAsTheMainWindowUnderItsRule) {
    const std::pair<Qt::Key, const char*> screens[] = {{Qt::Key_F5, "Form2"},
                                                       {Qt::Key_F6, "Form4"},
                                                       {Qt::Key_F7, "Form12"},
                                                       {Qt::Key_F8, "Form6"},
                                                       {Qt::Key_F9, "FormFind"}};
    for (const auto& [key, name] : screens) {
        SCOPED_TRACE(name);
        Added window;
        window.Press(key);
        QWidget* screen = window.screen->findChild<QWidget*>(name);
        ASSERT_NE(screen, nullptr);
        ASSERT_TRUE(WaitFor([&] { return screen->isActiveWindow(); }, name));

        testing::Press(Qt::Key_Z, Qt::ControlModifier);
        ASSERT_FALSE(window.messages.shown.empty());
        EXPECT_EQ(window.messages.shown.back().text, kAdded + "を取り消しますか？");
        EXPECT_EQ(window.folder.Read("200001.DAT"), window.bytes);
        testing::Press(Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(window.messages.shown.back().text, kAdded + "をやり直しますか？");
        EXPECT_EQ(window.folder.Read("200001.DAT"), window.added);

        window.screen->activateWindow();
        ASSERT_TRUE(WaitFor([&] { return window.screen->isActiveWindow(); }, "the main window"));
        window.Enter({"2"});  // an item under way
        screen->activateWindow();
        ASSERT_TRUE(WaitFor([&] { return screen->isActiveWindow(); }, name));
        testing::Press(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_FALSE(window.messages.shown.back().question);
        EXPECT_EQ(window.messages.shown.back().text,
                  "記帳画面で項目の入力・訂正やメモの編集をしている間は、"
                  "取り消しはできません。");
        EXPECT_EQ(window.folder.Read("200001.DAT"), window.added);
    }
}

}  // namespace
}  // namespace hanaki

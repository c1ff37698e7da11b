#include <gtest/gtest.h>

#include <filesystem>

#include "entry_window.h"

namespace hanaki {
namespace {

using testing::EntryWindow;
using testing::Record;

// A backup on read-only media: everything can be looked at, nothing changed.
TEST(ReadOnlyFolder, BrowsingWorksAndEveryChangeIsRefusedWithOneMessage) {
    EntryWindow window;
    const std::string milk = Record("261207", 2, "-700", "milk");
    const std::string rent = Record("261201", 3, "-80000", "rent");
    window.folder.Write("202612.DAT", rent + milk);
    window.state.folder = DataFolder(window.folder.path(), window.fs, DataFolder::Access::ReadOnly);
    ASSERT_TRUE(window.Start());
    EXPECT_TRUE(window.screen->windowTitle().endsWith("  [読み取り専用]"))
        << window.screen->windowTitle().toStdString();
    EXPECT_EQ(window.Cell(0, 6), "milk");

    const QString refusal = QString::fromStdString(
        "ファイル " + window.folder.path() +
        "/202612.DAT に書き込めませんでした。\n理由: "
        "データフォルダを読み取り専用で開いているため、変更は保存できません。\n"
        "ファイルは何も変更していません。");
    // Leafing through the memos writes nothing, so it asks nothing.
    window.Press(Qt::Key_Return);
    window.Type("/");
    EXPECT_EQ(window.FocusName(), "Text11");
    window.Press(Qt::Key_PageDown);
    window.Press(Qt::Key_PageUp);
    window.Press(Qt::Key_Escape);
    EXPECT_EQ(window.FocusName(), "Text1");
    EXPECT_TRUE(window.messages.shown.empty());

    window.Enter({"2", "1", "500", "bread"});
    ASSERT_EQ(window.messages.shown.size(), 1u);
    EXPECT_EQ(window.messages.shown[0].text, refusal);
    EXPECT_EQ(window.Cell(0, 6), "milk");
    EXPECT_EQ(window.Cell(1, 6), "");

    window.Press(Qt::Key_Escape);
    window.Press(Qt::Key_Up);
    window.Press(Qt::Key_Return);
    window.Press(Qt::Key_Delete);
    EXPECT_EQ(window.messages.shown.back().text, refusal);
    EXPECT_EQ(window.Cell(0, 6), "milk");

    // Not a byte written, not even a temporary file.
    EXPECT_EQ(window.fs.CallCount(testing::FsCall::CreateExclusive), 0);
    EXPECT_EQ(window.fs.CallCount(testing::FsCall::Remove), 0);
    EXPECT_EQ(window.folder.Read("202612.DAT"), rent + milk);
    EXPECT_EQ(window.folder.FileCount(), 3u);
}

// A master or settings file the folder lacks cannot be made there: the first-run
// questions would only end in refused saves.
TEST(ReadOnlyFolder, AMissingFileEndsTheStartWithOneMessageInsteadOfTheFirstRun) {
    for (const char* missing : {"VERADIV.DAT", "VERADIV.ENV"}) {
        EntryWindow window;
        std::filesystem::remove(std::filesystem::path(window.folder.path()) / missing);
        window.state.folder =
            DataFolder(window.folder.path(), window.fs, DataFolder::Access::ReadOnly);
        EXPECT_FALSE(window.Start()) << missing;
        ASSERT_EQ(window.messages.shown.size(), 1u) << missing;
        EXPECT_EQ(window.messages.shown[0].title, "読み取り専用");
        EXPECT_EQ(window.messages.shown[0].text,
                  QStringLiteral("データフォルダが読み取り専用のため、%1を作れません。\n"
                                 "書き込めるフォルダで起動してください。")
                      .arg(std::string_view(missing) == "VERADIV.DAT"
                               ? QStringLiteral("費目ファイル(Veradiv.Dat)")
                               : QStringLiteral("設定ファイル(Veradiv.Env)")));
    }
}

}  // namespace
}  // namespace hanaki

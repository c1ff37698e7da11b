#include "history/undo_prompt.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "../settings/household.h"
#include "data/history_store.h"
#include "data/ledger.h"

namespace hanaki::testing {
namespace {

// What Ctrl+Z and Ctrl+Y cannot do is said in a message before anything is
// asked, and nothing is written.
TEST(UndoPrompt, refusesBeforeAskingWhatItCannotDo) {
    struct Case {
        const char* name;
        bool redo;
        bool readOnly;
        std::function<void(Household&)> change;  // after an item was added
        QString message;
    };
    const std::vector<Case> cases{
        {"undo in a read-only folder", false, true, nullptr,
         "データフォルダを読み取り専用で開いているため、取り消しはできません。"},
        {"redo in a read-only folder", true, true, nullptr,
         "データフォルダを読み取り専用で開いているため、やり直しはできません。"},
        {"redo with no undo made", true, false, nullptr, "やり直せる取り消しはありません。"},
        {"undo of bytes another program took away", false, false,
         [](Household& home) {
             for (const auto& file :
                  std::filesystem::directory_iterator(HistoryPath(home.state.folder, "")))
                 if (file.path().extension() == ".anchor")
                     std::filesystem::remove(file.path());
             home.temp.Write("202611.DAT", home.temp.Read("202611.DAT") + std::string(104, '9'));
         },
         "2026年11月度のファイル(202611.DAT)は別のプログラムが書き換えたため、"
         "それより前の内容を履歴から作り直せません。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Household home;
        home.state.folder.KeepHistory([] { return 1'794'821'400; });
        MonthLedger ledger;
        AppendItem(ledger, 0, {"261116", "02", Sjis("食費"), "01", Sjis("朝食"), "-450", ""});
        ASSERT_TRUE(SaveMonthLedger(home.state.folder, 31, 126, 11, ledger).ok());
        AppendItem(ledger, 1, {"261117", "02", Sjis("食費"), "01", Sjis("朝食"), "-500", ""});
        ASSERT_TRUE(SaveMonthLedger(home.state.folder, 31, 126, 11, ledger).ok());
        if (c.change)
            c.change(home);
        const std::string before = home.temp.Read("202611.DAT");
        ProgramState browsing(
            DataFolder(home.temp.path(), RealFileSystem(),
                       c.readOnly ? DataFolder::Access::ReadOnly : DataFolder::Access::ReadWrite),
            [] {
                return CivilDate{2026, 11, 16};
            });
        browsing.folder.KeepHistory();
        EXPECT_FALSE(c.redo ? AskAndRedoLastUndo(browsing, home.messages, nullptr)
                            : AskAndUndoLastChange(browsing, home.messages, nullptr));
        ASSERT_EQ(home.messages.shown.size(), 1u);
        EXPECT_FALSE(home.messages.shown[0].question);
        EXPECT_EQ(home.messages.shown[0].title, c.redo ? "やり直し" : "取り消し");
        EXPECT_EQ(home.messages.shown[0].text, c.message);
        EXPECT_EQ(home.temp.Read("202611.DAT"), before);
    }
}

}  // namespace
}  // namespace hanaki::testing

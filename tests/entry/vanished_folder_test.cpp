#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "data/formats/memo.h"
#include "entry_window.h"

// The data folder goes away under the main window (a USB stick pulled out)
// and comes back.
namespace hanaki {
namespace {

namespace fs = std::filesystem;
using testing::EntryWindow;
using testing::Record;

const std::string kRent = Record("261201", 3, "-80000", "rent");
const std::string kMilk = Record("261207", 2, "-700", "milk");

QString GoneMessage(const EntryWindow& window) {
    return QString::fromStdString(
        "データフォルダ " + window.folder.path() +
        " が見つかりません。\n"
        "USBメモリなどが外されたか、フォルダの場所や名前が変わった可能性があります。\n"
        "フォルダを元に戻してから、もう一度操作してください。\n"
        "ファイルは何も変更していません。");
}

// What the window shows of the month: the totals, the last entry and the day's remarks.
QStringList Shown(const EntryWindow& window) {
    return {window.Text("Label2"), window.Text("Label3"), window.Text("Label4"),
            window.Text("Label9"), window.Cell(0, 6),     window.Cell(1, 6)};
}

// The messages, without the questions asked on the way (削除しますか？).
std::vector<testing::ScriptedMessages::Shown> Told(const EntryWindow& window) {
    std::vector<testing::ScriptedMessages::Shown> told;
    for (const auto& shown : window.messages.shown) {
        if (!shown.question)
            told.push_back(shown);
    }
    return told;
}

void MoveAway(const EntryWindow& window) {
    fs::rename(window.folder.path(), window.folder.path() + ".away");
}
void MoveBack(const EntryWindow& window) {
    fs::rename(window.folder.path() + ".away", window.folder.path());
}

TEST(VanishedFolder, aWriteIsRefusedNamingTheFolderKeepsWhatWasTypedAndGoesThroughOnceItIsBack) {
    struct WritePath {
        const char* name;
        std::function<void(EntryWindow&)> begin;  // typed before the folder goes
        std::function<void(EntryWindow&)> write;  // the key that writes
        std::function<void(const EntryWindow&)> typedStays;
        std::function<void(const EntryWindow&)> written;  // once the folder is back
    };
    const WritePath paths[] = {
        {"store an item",
         [](EntryWindow& w) {
             w.Press(Qt::Key_Return);
             w.Enter({"2", "1", "500"});
             w.Type("bread");
         },
         [](EntryWindow& w) { w.Press(Qt::Key_Return); },
         [](const EntryWindow& w) {
             EXPECT_EQ(w.Text("Text1") + w.Text("Text2") + w.Text("Text5") + w.Text("Text3"),
                       "食費朝食500bread");
         },
         [](const EntryWindow& w) {
             EXPECT_EQ(w.folder.Read("202612.DAT"),
                       kRent + kMilk + Record("261207", 2, "-500", "bread"));
         }},
        {"delete an item", [](EntryWindow& w) { w.CorrectLastItem(); },
         [](EntryWindow& w) { w.Press(Qt::Key_Delete); },
         [](const EntryWindow& w) { EXPECT_EQ(w.Text("Label6"), "  訂 正 入 力 欄"); },
         [](const EntryWindow& w) { EXPECT_EQ(w.folder.Read("202612.DAT"), kRent); }},
        {"close the memo",
         [](EntryWindow& w) {
             w.Press(Qt::Key_Return);
             w.Type("/");
             w.Type("note");
         },
         [](EntryWindow& w) { w.Press(Qt::Key_Escape); },
         [](const EntryWindow& w) {
             EXPECT_EQ(w.FocusName(), "Text11");
             EXPECT_EQ(w.Text("Text11"), "note");
         },
         [](const EntryWindow& w) {
             MemoMonth memo;
             ASSERT_TRUE(LoadMemo(w.folder.folder(), kMonthEnd, 126, 12, memo).ok());
             EXPECT_EQ(TrimRight(memo.LinesOf(7)[0]), "note");
         }},
    };
    for (const WritePath& path : paths) {
        SCOPED_TRACE(path.name);
        EntryWindow window;
        window.folder.Write("202612.DAT", kRent + kMilk);
        ASSERT_TRUE(window.Start());
        path.begin(window);
        const QStringList shown = Shown(window);
        ASSERT_TRUE(Told(window).empty());

        MoveAway(window);
        path.write(window);
        ASSERT_EQ(Told(window).size(), 1u);
        EXPECT_EQ(Told(window)[0].title, "データフォルダが見つかりません");
        EXPECT_EQ(Told(window)[0].text, GoneMessage(window));
        EXPECT_EQ(Shown(window), shown);
        path.typedStays(window);
        EXPECT_FALSE(fs::exists(window.folder.path()));

        MoveBack(window);
        path.write(window);
        EXPECT_EQ(Told(window).size(), 1u);
        path.written(window);
    }
}

TEST(VanishedFolder, aMonthOpenedWhileTheFolderIsGoneIsReadOnceItIsBack) {
    EntryWindow window;
    window.folder.Write("202701.DAT", Record("270105", 2, "-300", "rice"));
    ASSERT_TRUE(window.Start());
    MoveAway(window);
    window.Press(Qt::Key_Escape);
    window.Press(Qt::Key_PageDown);
    ASSERT_EQ(window.messages.shown.size(), 1u);
    EXPECT_EQ(window.messages.shown[0].text, GoneMessage(window));

    MoveBack(window);
    window.Press(Qt::Key_Return);
    window.Press(Qt::Key_Return);
    window.Enter({"2", "1", "500", "bread"});
    EXPECT_EQ(window.messages.shown.size(), 1u);
    EXPECT_EQ(window.folder.Read("202701.DAT"),
              Record("270101", 2, "-500", "bread") + Record("270105", 2, "-300", "rice"));
}

}  // namespace
}  // namespace hanaki

#include <gtest/gtest.h>

#include <QLineEdit>
#include <functional>

#include "data/history/history_store.h"
#include "entry_window.h"
#include "support/cp932_text.h"
#include "support/keyboard.h"
#include "support/ledger_records.h"

namespace hanaki {
namespace {

using testing::EntryWindow;
using testing::ItemFields;
using testing::Sjis;

// An item of the test master, with its names.
ItemFields Booked(const char* date, int category, int description, const char* amount,
                  const std::string& remark = "") {
    static const char* const names[][4] = {
        {"", "", "", ""},         {"給料", "月給", "賞与", ""}, {"食費", "朝食", "昼食", "夕食"},
        {"住居", "家賃", "", ""}, {"繰越", "前月繰越", "", ""}, {"消えた", "消えた", "", ""}};
    return {.date = date,
            .category = TwoDigits(category),
            .categoryName = names[category][0],
            .description = TwoDigits(description),
            .descriptionName = names[category][description],
            .amount = amount,
            .remark = remark};
}

const std::string kSixtyBytes = "ｽｰ" + std::string(58, 'x');

// November: スーパー twice (夕食 2140 the later), スーパー銭湯 once, ドラッグストア
// only in category 5, which the master no longer has. December 7: two items.
struct Household : EntryWindow {
    explicit Household(bool oneDigit) {
        folder.Write("202611.DAT",
                     testing::LedgerFileBytes({Booked("261103", 2, 3, "-1280", "スーパー"),
                                               Booked("261105", 2, 1, "-900", "スーパー銭湯"),
                                               Booked("261110", 2, 3, "-2140", "スーパー"),
                                               Booked("261112", 5, 1, "-1500", "ドラッグストア"),
                                               Booked("261113", 2, 1, "-100", kSixtyBytes)}));
        folder.Write("202612.DAT", december);
        if (oneDigit)
            folder.Write("NYURYOKU.TXT", Sjis("1桁で次へ=1\r\n"));
    }
    const std::string december = testing::LedgerFileBytes(
        {Booked("261207", 2, 2, "-650", "社食"), Booked("261207", 3, 1, "-85000")});
};

// "<Key>" presses a key, "{text}" is committed by an input method ("{text|preedit}"
// leaves a composition open), anything else is typed key by key.
void Play(EntryWindow& window, const QString& keys) {
    static const std::pair<const char*, Qt::Key> named[] = {
        {"Enter", Qt::Key_Return}, {"Tab", Qt::Key_Tab},
        {"Right", Qt::Key_Right},  {"Ins", Qt::Key_Insert},
        {"Space", Qt::Key_Space},  {"PgDn", Qt::Key_PageDown},
        {"Up", Qt::Key_Up},        {"Backspace", Qt::Key_Backspace}};
    for (qsizetype i = 0; i < keys.size();) {
        const QChar open = keys[i];
        if (open == u'<' || open == u'{') {
            const qsizetype end = keys.indexOf(open == u'<' ? u'>' : u'}', i);
            const QString inside = keys.mid(i + 1, end - i - 1);
            if (open == u'{') {
                testing::Commit(window.focus(), inside.section(u'|', 0, 0),
                                inside.section(u'|', 1));
            }
            for (const auto& [name, key] : named) {
                if (open == u'<' && inside == QLatin1String(name))
                    window.Press(key);
            }
            i = end + 1;
        } else {
            window.Type(QString(open).toUtf8().constData());
            ++i;
        }
    }
}

TEST(QuickEntry, TypedKeysFillTheFieldsAndStoreWhatTheyShow) {
    struct Shown {
        const char* category;
        const char* description;
        const char* expense;
        std::string remark;
        std::string selected;
        const char* focus;
        const char* day = "7";
    };
    struct Case {
        const char* name;
        bool oneDigit;
        const char* keys;  // from the category field
        Shown shown;
        const char* then;  // on to the store
        ItemFields stored;
    };
    const Case cases[] = {
        {"a committed prefix is completed, the most used remark first",
         false,
         "{ス}",
         {"", "", "", "スーパー", "ーパー", "Text3"},
         "<Enter><Enter><Enter>",
         Booked("261207", 2, 3, "-2140", "スーパー")},
        {"Tab takes the remark and its last item, the amount to be typed over",
         false,
         "{スー}<Tab>",
         {"食費", "夕食", "2140", "スーパー", "2140", "Text5"},
         "1980<Enter><Enter>",
         Booked("261207", 2, 3, "-1980", "スーパー")},
        {"typing on narrows the completion; → takes it",
         false,
         "{スーパー銭}",
         {"", "", "", "スーパー銭湯", "湯", "Text3"},
         "<Right><Enter><Enter>",
         Booked("261207", 2, 1, "-900", "スーパー銭湯")},
        {"half-width kana meet the remark as find folds them",
         false,
         "{ｽｰﾊﾟｰ銭}<Tab>",
         {"食費", "朝食", "900", "ｽｰﾊﾟｰ銭湯", "900", "Text5"},
         "<Enter><Enter>",
         Booked("261207", 2, 1, "-900", "ｽｰﾊﾟｰ銭湯")},
        {"romaji typed with the input method off completes a kana remark, Enter fills the item",
         false,
         "su",
         {"", "", "", "スーパー", "ーパー", "Text3"},
         "<Enter><Enter><Enter>",
         Booked("261207", 2, 3, "-2140", "スーパー")},
        {"romaji that reads as no remark is kept as typed",
         false,
         "sus<Enter>",
         {"", "", "", "sus", "", "Text1"},
         "2<Enter>1<Enter>300<Enter><Enter>",
         Booked("261207", 2, 1, "-300", "sus")},
        {"Backspace takes the completion away and gives the romaji back",
         false,
         "s<Backspace>",
         {"", "", "", "s", "", "Text3"},
         "<Enter>2<Enter>1<Enter>300<Enter><Enter>",
         Booked("261207", 2, 1, "-300", "s")},
        {"a deleted category's remark leaves the category to be typed",
         false,
         "{ドラ}<Tab>",
         {"", "", "", "ドラッグストア", "", "Text1"},
         "2<Enter>1<Enter>1500<Enter><Enter>",
         Booked("261207", 2, 1, "-1500", "ドラッグストア")},
        {"a remark never written leaves the category to be typed",
         false,
         "x<Enter>",
         {"", "", "", "x", "", "Text1"},
         "2<Enter>2<Enter>300<Enter><Enter>",
         Booked("261207", 2, 2, "-300", "x")},
        {"nothing is completed and Tab does nothing while a composition is open",
         false,
         "2<Enter>1<Enter>500<Enter>{ス|ー}<Tab>",
         {"食費", "朝食", "500", "ス", "", "Text3"},
         "{ー}<Right><Enter>",
         Booked("261207", 2, 1, "-500", "スーパー")},
        {"no completion passes the remark's 60 bytes",
         false,
         "{スーx}",
         {"", "", "", "スーx" + std::string(55, 'x'), std::string(55, 'x'), "Text3"},
         "<Enter>2<Enter>1<Enter>100<Enter><Enter>",
         Booked("261207", 2, 1, "-100", "スーx" + std::string(55, 'x'))},
        {"Insert repeats the item above",
         false,
         "<Ins>",
         {"住居", "家賃", "85000", "", "85000", "Text5"},
         "<Enter><Enter>",
         Booked("261207", 3, 1, "-85000")},
        {"Insert again repeats the item before",
         false,
         "<Ins><Ins>",
         {"食費", "昼食", "650", "社食", "650", "Text5"},
         "<Enter><Enter>",
         Booked("261207", 2, 2, "-650", "社食")},
        {"Insert repeats the item chosen in the day list",
         false,
         "<Up><Up><Ins>",
         {"食費", "昼食", "650", "社食", "650", "Text5"},
         "700<Enter><Enter>",
         Booked("261207", 2, 2, "-700", "社食")},
        {"PageDown in the category field steps the day",
         false,
         "<PgDn>",
         {"", "", "", "", "", "Text1", "8"},
         "2<Enter>1<Enter>300<Enter><Enter>",
         Booked("261208", 2, 1, "-300")},
        {"the one-digit option moves on without Enter",
         true,
         "21",
         {"食費", "朝食", "", "", "", "Text5"},
         "400<Enter><Enter>",
         Booked("261207", 2, 1, "-400")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Household window(c.oneDigit);
        ASSERT_TRUE(window.Start());
        testing::ShowActive(*window.screen);
        window.Press(Qt::Key_Return);
        Play(window, QString::fromUtf8(c.keys));
        const auto* focused = qobject_cast<QLineEdit*>(window.focus());
        ASSERT_NE(focused, nullptr);
        EXPECT_EQ(window.Text("Text1"), c.shown.category);
        EXPECT_EQ(window.Text("Text2"), c.shown.description);
        EXPECT_EQ(window.Text("Text5"), c.shown.expense);
        EXPECT_EQ(window.Text("Text3"), QString::fromStdString(c.shown.remark));
        EXPECT_EQ(focused->selectedText(), QString::fromStdString(c.shown.selected));
        EXPECT_EQ(window.FocusName(), c.shown.focus);
        EXPECT_EQ(window.Text("Text8"), c.shown.day);
        Play(window, QString::fromUtf8(c.then));
        EXPECT_EQ(window.folder.Read("202612.DAT"),
                  window.december + testing::RecordBytes(c.stored));
        EXPECT_EQ(window.FocusName(), "Text1");
    }
}

// What is stored, corrected, deleted, undone or redone, or another window
// wrote, is offered next, or no longer.
TEST(QuickEntry, CompletionFollowsEveryChangeOfTheOpenMonth) {
    testing::January2000 window;
    KeepHistory(window.state.folder);
    ASSERT_TRUE(window.Start());
    testing::ShowActive(*window.screen);
    window.EnterItem("2", "1", "450", "added");
    const auto offered = [&window](const char* typed) {
        window.Type(typed);
        const QString shown = window.Text("Text3");
        window.Press(Qt::Key_Escape);  // the item begun from its remark is dropped
        return shown;
    };
    struct Step {
        const char* name;
        std::function<void()> change;
        const char* typed;
        const char* shown;
    };
    const Step steps[] = {
        {"stored", [] {}, "a", "added"},
        {"undone", [&] { window.Press(Qt::Key_Z, Qt::ControlModifier); }, "a", "a"},
        {"redone", [&] { window.Press(Qt::Key_Y, Qt::ControlModifier); }, "a", "added"},
        {"corrected",
         [&] {
             Play(window, "<Up><Enter><Enter><Enter><Enter>");
             qobject_cast<QLineEdit*>(window.focus())->selectAll();
             Play(window, "zoo<Enter>");
         },
         "a", "a"},
        {"the correction offered", [] {}, "z", "zoo"},
        {"deleted",
         [&] {
             Play(window, "<Up><Enter>");
             window.Press(Qt::Key_Delete);
         },
         "z", "z"},
        {"another window wrote an earlier month",
         [&] {
             window.folder.Write("199912.DAT", testing::RecordBytes({.date = "991210",
                                                                     .category = "02",
                                                                     .description = "01",
                                                                     .amount = "-300",
                                                                     .remark = "yacht"}));
             window.screen->ShowCurrentMonth();
         },
         "y", "yacht"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        ASSERT_EQ(window.FocusName(), "Text1");
        EXPECT_EQ(offered(step.typed), step.shown);
    }
}

// A remark begun with a letter goes on as keys; begun with Space, the input method composes.
TEST(QuickEntry, TheInputMethodComposesOnlyInARemarkBegunWithSpace) {
    Household window(false);
    ASSERT_TRUE(window.Start());
    testing::ShowActive(*window.screen);
    window.Press(Qt::Key_Return);
    testing::InputMethod on;
    on.Type("su");
    EXPECT_EQ(on.Composing(), "");
    EXPECT_EQ(window.Text("Text3"), "スーパー");
    window.Press(Qt::Key_Escape);
    ASSERT_EQ(window.FocusName(), "Text1");
    window.Press(Qt::Key_Space);
    ASSERT_EQ(window.FocusName(), "Text3");
    on.Type("su-");
    EXPECT_EQ(on.Composing(), "すー");
    on.Enter();
    EXPECT_EQ(window.Text("Text3"), "すー");
}

}  // namespace
}  // namespace hanaki

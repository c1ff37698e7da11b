#include <gtest/gtest.h>

#include "entry_window.h"

namespace hanaki {
namespace {

using testing::EntryWindow;
using testing::Record;
using testing::SettingsFile;

QString Question(const char* balance) {
    return QString(
               "新しい月度になりました。前月の残金( %1円 )を繰り越しますか？\r\r"
               "                     <Enter> OK        <ESC>キャンセル")
        .arg(balance);
}

TEST(NewMonth, ConfirmingTheFirstDayOffersThePreviousBalance) {
    struct Case {
        const char* name;
        CivilDate today;
        const char* carryOver;
        const char* previousFile;
        std::string previous;
        bool ok;
        QString shown;        // the one message
        std::string written;  // the new month's file, "" for none
        const char* monthFile;
    };
    const Case cases[] = {
        {"balance carried",
         {2026, 12, 7},
         "4,1",
         "202611.DAT",
         Record("261105", 1, "+250000") + Record("261110", 2, "-180500"),
         true,
         Question("69,500"),
         Record("261201", 4, "+69500"),
         "202612.DAT"},
        {"debt carried",
         {2026, 12, 7},
         "4,1",
         "202611.DAT",
         Record("261105", 1, "+8000") + Record("261110", 2, "-20000"),
         true,
         Question("-12,000"),
         Record("261201", 4, "+-12000"),
         "202612.DAT"},
        {"declined",
         {2026, 12, 7},
         "4,1",
         "202611.DAT",
         Record("261105", 1, "+8000"),
         false,
         Question("8,000"),
         "",
         "202612.DAT"},
        {"no carry-over set",
         {2026, 12, 7},
         "0,0",
         "202611.DAT",
         Record("261105", 1, "+8000"),
         true,
         "新しい月度になりました。",
         "",
         "202612.DAT"},
        {"no previous file",
         {2026, 12, 7},
         "4,1",
         "202610.DAT",
         Record("261005", 1, "+8000"),
         true,
         "新しい月度になりました。",
         "",
         "202612.DAT"},
        {"January after December",
         {2000, 1, 5},
         "4,1",
         "199912.DAT",
         Record("991231", 1, "+1000"),
         true,
         Question("1,000"),
         Record("000101", 4, "+1000"),
         "200001.DAT"},
    };
    for (const Case& c : cases) {
        EntryWindow window(c.today);
        window.folder.Write("VERADIV.ENV", SettingsFile(kMonthEnd, c.carryOver));
        window.folder.Write(c.previousFile, c.previous);
        ASSERT_TRUE(window.Start());
        window.messages.Answer(c.ok);
        window.Press(Qt::Key_Return);
        ASSERT_EQ(window.messages.shown.size(), 1u) << c.name;
        EXPECT_EQ(window.messages.shown[0].title, "新月度") << c.name;
        EXPECT_EQ(window.messages.shown[0].text, c.shown) << c.name;
        EXPECT_EQ(window.folder.Exists(c.monthFile), !c.written.empty()) << c.name;
        if (!c.written.empty()) {
            EXPECT_EQ(window.folder.Read(c.monthFile), c.written) << c.name;
            EXPECT_EQ(window.Text("Text8"), QString::number(c.today.day)) << c.name;
            EXPECT_EQ(window.Text("Label9"), QString("%1/1現在").arg(c.today.month)) << c.name;
        }
        EXPECT_EQ(window.FocusName(), "Text1") << c.name;
    }
}

TEST(NewMonth, AMonthWithItemsIsNotNew) {
    EntryWindow window;
    window.folder.Write("202611.DAT", Record("261105", 1, "+8000"));
    window.folder.Write("202612.DAT", Record("261203", 2, "-100"));
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);
    EXPECT_TRUE(window.messages.shown.empty());
    EXPECT_EQ(window.Text("Label2"), "0");  // the open month's totals, not November's
}

TEST(NewMonth, ADeclinedCarryOverIsOfferedAgainWithShiftHome) {
    EntryWindow window;
    window.folder.Write("202611.DAT", Record("261105", 1, "+8000"));
    ASSERT_TRUE(window.Start());
    window.messages.Answer(false);
    window.Press(Qt::Key_Return);
    window.Press(Qt::Key_Home, Qt::ShiftModifier);
    ASSERT_EQ(window.messages.shown.size(), 2u);
    EXPECT_EQ(window.messages.shown[1].text, Question("8,000"));
    EXPECT_EQ(window.folder.Read("202612.DAT"), Record("261201", 4, "+8000"));
    EXPECT_EQ(window.Text("Label2"), "8,000");
}

}  // namespace
}  // namespace hanaki

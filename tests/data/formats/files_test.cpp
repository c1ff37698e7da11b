#include <gtest/gtest.h>

#include "data/formats/category_table.h"
#include "data/formats/entry_options.h"
#include "data/formats/memo.h"
#include "data/formats/settings.h"
#include "support/cp932_text.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::Sjis;
using testing::TempFolder;

TEST(CategoryFile, readsKindsNamesAndDescriptionsAndWritesThemBack) {
    TempFolder dir;
    std::string bytes = Sjis("+給料\r\n基本給,賞与\r\n-食費\r\n朝食,昼食\r\n-雑費\r\n\r\n");
    dir.Write("VERADIV.DAT", bytes);
    CategoryTable table;
    ASSERT_TRUE(LoadCategoryTable(dir.folder(), table).ok());
    EXPECT_EQ(table.CategoryCount(), 3);
    EXPECT_EQ(table.names[1], Sjis("給料"));
    EXPECT_FALSE(table.IsExpense(1));
    EXPECT_EQ(table.descriptions[1][2], Sjis("賞与"));
    EXPECT_TRUE(table.IsExpense(2));
    EXPECT_EQ(table.DescriptionCount(2), 2);
    EXPECT_EQ(table.DescriptionCount(3), 0);
    ASSERT_TRUE(SaveCategoryTable(dir.folder(), table).ok());
    EXPECT_EQ(dir.Read("VERADIV.DAT"), bytes);
}

TEST(CategoryFile, aReloadKeepsNothingOfTheEarlierTable) {
    TempFolder dir;
    dir.Write("VERADIV.DAT", Sjis("+給料\r\n基本給,賞与,手当\r\n-食費\r\n朝食\r\n"));
    CategoryTable table;
    ASSERT_TRUE(LoadCategoryTable(dir.folder(), table).ok());
    dir.Write("VERADIV.DAT", Sjis("+給料\r\n基本給\r\n"));
    ASSERT_TRUE(LoadCategoryTable(dir.folder(), table).ok());
    EXPECT_EQ(table.CategoryCount(), 1);
    EXPECT_EQ(table.DescriptionCount(1), 1);
}

TEST(CategoryFile, everyLineEndReadsTheSameMaster) {
    for (const char* end : {"\r\n", "\n", "\r"}) {
        const std::string e = end;
        CategoryTable table;
        ParseCategoryFile(Sjis("+給料" + e + "基本給,\t賞与" + e + "-食費" + e + "朝食"), table);
        EXPECT_EQ(table.CategoryCount(), 2) << int(e.back());
        EXPECT_EQ(table.descriptions[1][2], Sjis("賞与")) << int(e.back());
        EXPECT_TRUE(table.IsExpense(2)) << int(e.back());
    }
}

TEST(CategoryFile, aMasterSavedAsUtf8IsReadAsItsNames) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> unconvertible;
    };
    const Case cases[] = {
        {"plain", "+給料\r\n基本給\r\n", {}},
        {"with a byte order mark", "\xEF\xBB\xBF+給料\r\n基本給\r\n", {}},
        {"with an emoji", "+給料\r\n基本給😀\r\n", {"基本給😀"}},
    };
    for (const Case& c : cases) {
        CategoryTable table;
        CategoryReading reading = ParseCategoryFile(c.bytes, table);
        EXPECT_TRUE(reading.fromUtf8) << c.name;
        EXPECT_EQ(table.names[1], Sjis("給料")) << c.name;
        EXPECT_EQ(table.descriptions[1][1].substr(0, 6), Sjis("基本給")) << c.name;
        EXPECT_EQ(reading.unconvertible, c.unconvertible) << c.name;
    }
    CategoryTable table;
    EXPECT_FALSE(ParseCategoryFile(Sjis("+給料\r\n基本給,ｱｲｳ\r\n"), table).fromUtf8);
}

// Whether a master is UTF-8 is judged on what a save keeps: the file hanaki
// writes, in code page 932, reads back as the same table.
TEST(CategoryFile, aSavedMasterReadsBackAsItWasSaved) {
    std::string excess = "-c\r\n\xE3\x81\x82";  // UTF-8 for あ, then 19 plain descriptions
    for (int d = 1; d < 25; ++d)
        excess += "," + (d < 20 ? "d" + std::to_string(d) : Sjis("あ"));  // code page 932 past 20
    const struct {
        const char* name;
        std::string bytes;
        bool fromUtf8;
    } cases[] = {
        {"code page 932 only in what a save drops", excess + "\r\n", true},
        // Its code page 932 form, E3 81 82 60, is UTF-8 for "あ`".
        {"UTF-8 whose code page 932 form is UTF-8 too", "+k\r\n縺Ａ\r\n", false},
    };
    for (const auto& c : cases) {
        CategoryTable table;
        EXPECT_EQ(ParseCategoryFile(c.bytes, table).fromUtf8, c.fromUtf8) << c.name;
        const std::string saved = SerializeCategoryTable(table);
        CategoryTable again;
        EXPECT_FALSE(ParseCategoryFile(saved, again).fromUtf8) << c.name;
        EXPECT_EQ(SerializeCategoryTable(again), saved) << c.name;
        EXPECT_EQ(again.descriptions[1][1], table.descriptions[1][1]) << c.name;
    }
}

TEST(CategoryFile, moreThanTwentyEntriesAreIgnored) {
    std::string bytes;
    for (int c = 0; c < 25; ++c) {
        bytes += "-c" + std::to_string(c) + "\r\n";
        for (int d = 0; d < 25; ++d)
            bytes += (d ? "," : "") + std::string("d") + std::to_string(d);
        bytes += "\r\n";
    }
    CategoryTable table;
    CategoryReading reading = ParseCategoryFile(bytes, table);
    EXPECT_EQ(table.CategoryCount(), 20);
    EXPECT_EQ(table.DescriptionCount(20), 20);
    EXPECT_EQ(table.names[20], "c19");
    // Each of the 20 categories loses 5 descriptions; 5 categories go whole.
    ASSERT_EQ(reading.ignored.size(), 20u * 5 + 5);
    EXPECT_EQ(reading.ignored[0].category, 1);
    EXPECT_EQ(reading.ignored[0].description, 21);
    EXPECT_EQ(reading.ignored[0].name, "d20");
    EXPECT_EQ(reading.ignored.back().category, 25);
    EXPECT_EQ(reading.ignored.back().description, 0);
    EXPECT_EQ(reading.ignored.back().name, "c24");
    EXPECT_EQ(reading.ignored.back().descriptions, 25);
}

TEST(CategoryGuide, listsFiveEntriesToALinePaddedToTwelveBytes) {
    std::array<std::string, 21> names;
    names[1] = Sjis("食費");
    names[2] = Sjis("住居");
    EXPECT_EQ(BuildGuide(names), " " + std::string(" 1. ") + Sjis("食費") + std::string(8, ' ') +
                                     "  " + " 2. " + Sjis("住居") + std::string(8, ' '));
    for (int i = 1; i <= 7; ++i)
        names[i] = "n" + std::to_string(i);
    std::string guide = BuildGuide(names);
    EXPECT_EQ(guide.find("\r\n") + 2, guide.find("   6. n6"));
}

TEST(SettingsFile, eachFormOfTheFileIsRead) {
    struct Case {
        std::string bytes;
        SettingsForm form;
        int closingDay, carryCategory;
        std::string budget3;
        int flag2;
    };
    std::string budgets = "50000,,12000" + std::string(17, ',');
    std::string flags = "1,0,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1";
    const Case cases[] = {
        {" 25 \r\n", SettingsForm::ClosingDayOnly, 25, 0, "", 1},
        {" 25 \r\n3,1\r\n", SettingsForm::WithCarryOver, 25, 3, "", 1},
        {"31\r\n0,0\r\n" + budgets + "\r\n", SettingsForm::WithBudgets, 31, 0, "12000", 1},
        {"10\r\n2,1\r\n" + budgets + "\r\n" + flags + "\r\n", SettingsForm::Full, 10, 2, "12000",
         0},
        {"30\r\nx,y\r\n", SettingsForm::WithCarryOver, 31, 0, "", 1},
        {"", SettingsForm::ClosingDayOnly, 31, 0, "", 1},
        {"10\r2,1\r" + budgets + "\r" + flags + "\r", SettingsForm::Full, 10, 2, "12000", 0},
        {"10\n2,1\n" + budgets + "\n" + flags, SettingsForm::Full, 10, 2, "12000", 0},
        {"\t25\t\r\n3,1\r\n", SettingsForm::WithCarryOver, 25, 3, "", 1},
    };
    for (const Case& c : cases) {
        Settings settings;
        SettingsReading reading = ParseSettingsFile(c.bytes, settings);
        EXPECT_EQ(reading.form, c.form) << c.bytes;
        EXPECT_EQ(settings.closingDay, c.closingDay) << c.bytes;
        EXPECT_EQ(settings.carryOverCategory, c.carryCategory) << c.bytes;
        EXPECT_EQ(settings.budgets[3], c.budget3) << c.bytes;
        EXPECT_EQ(settings.summaryFlags[2], c.flag2) << c.bytes;
    }
    for (const char* unusable : {"30\r\n", "", " \r\n"}) {
        Settings settings;
        EXPECT_TRUE(ParseSettingsFile(unusable, settings).closingDayInvalid) << unusable;
    }
}

TEST(SettingsFile, rewritesKeepWhatTheyCannotReadAndNeverWriteAnUnusableClosingDay) {
    const std::string budgets = "+500,abc,-300" + std::string(17, ',');
    const std::string flags = "2,0,x,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1";
    const std::string allOn = "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1";
    struct Case {
        const char* name;
        std::string before;
        std::string afterCarryOver;  // carry-over 4,1
        std::string afterBudgets;    // unchanged budgets and flags
        std::vector<std::string> lost;
    };
    const Case cases[] = {
        {"lone CR line ends",
         "25\r3,1\r" + budgets + "\r" + flags + "\r",
         "25\r\n4,1\r\n" + budgets + "\r\n" + flags + "\r\n",
         "25\r\n3,1\r\n" + budgets + "\r\n" + "2,0,1" + flags.substr(5) + "\r\n",
         {"費目3の集計フラグ「x」"}},
        {"an empty file",
         "",
         " 31 \r\n4,1\r\n",
         " 31 \r\n0,0\r\n" + std::string(19, ',') + "\r\n" + allOn + "\r\n",
         {}},
        {"a closing day of 30",
         "30\r\n3,1\r\n",
         " 31 \r\n4,1\r\n",
         " 31 \r\n3,1\r\n" + std::string(19, ',') + "\r\n" + allOn + "\r\n",
         {"締め日「30」"}},
        {"values past the flags",
         " 25 \r\n3,1\r\n" + budgets + "\r\n" + flags + ",7\r\n9\r\n",
         " 25 \r\n4,1\r\n" + budgets + "\r\n" + flags + ",7\r\n9\r\n",
         " 25 \r\n3,1\r\n" + budgets + "\r\n" + "2,0,1" + flags.substr(5) + "\r\n",
         {"費目3の集計フラグ「x」", "余分な値「7」(4行目)", "余分な値「9」(5行目)"}},
        {"twelve lines",
         " 25 \r\n3,1\r\n" + std::string(19, ',') + "\r\n" + allOn + std::string(8, '\n') + "x\r\n",
         " 25 \r\n4,1\r\n" + std::string(19, ',') + "\r\n" + allOn +
             "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nx\r\n",
         " 25 \r\n3,1\r\n" + std::string(19, ',') + "\r\n" + allOn + "\r\n",
         {"余分な値「x」(12行目)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        dir.Write("VERADIV.ENV", c.before);
        Settings settings;
        ParseSettingsFile(c.before, settings);
        EXPECT_EQ(LostByBudgetRewrite(c.before), c.lost);
        ASSERT_TRUE(WriteCarryOver(dir.folder(), settings.closingDay, 4, 1).ok());
        EXPECT_EQ(dir.Read("VERADIV.ENV"), c.afterCarryOver);
        dir.Write("VERADIV.ENV", c.before);
        ASSERT_TRUE(WriteBudgets(dir.folder(), settings).ok());
        EXPECT_EQ(dir.Read("VERADIV.ENV"), c.afterBudgets);
    }
    Settings settings;
    ParseSettingsFile("25\r\n3,1\r\n" + budgets + "\r\n" + flags + "\r\n", settings);
    EXPECT_EQ(settings.BudgetValue(1), 500);
    EXPECT_EQ(settings.BudgetValue(2), std::nullopt);
    EXPECT_EQ(settings.BudgetValue(3), -300);
    EXPECT_EQ(settings.summaryFlags[1], 2);
}

TEST(SettingsFile, writersReplaceOnlyTheirLines) {
    TempFolder dir;
    ASSERT_TRUE(WriteClosingDay(dir.folder(), 25).ok());
    EXPECT_EQ(dir.Read("VERADIV.ENV"), " 25 \r\n");
    ASSERT_TRUE(WriteCarryOver(dir.folder(), 25, 3, 1).ok());
    EXPECT_EQ(dir.Read("VERADIV.ENV"), " 25 \r\n3,1\r\n");

    Settings settings;
    settings.budgets[1] = "1234567";
    settings.summaryFlags[20] = 0;
    ASSERT_TRUE(WriteBudgets(dir.folder(), settings).ok());
    std::string written = dir.Read("VERADIV.ENV");
    EXPECT_EQ(written, " 25 \r\n3,1\r\n1234567" + std::string(19, ',') +
                           "\r\n1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,0\r\n");

    ASSERT_TRUE(WriteCarryOver(dir.folder(), 25, 0, 0).ok());
    EXPECT_EQ(dir.Read("VERADIV.ENV"), " 25 \r\n0,0\r\n" + written.substr(11));

    // Saved unchanged, the file keeps its bytes.
    Settings reread;
    SettingsReading reading;
    ASSERT_TRUE(LoadSettings(dir.folder(), reread, reading).ok());
    std::string before = dir.Read("VERADIV.ENV");
    ASSERT_TRUE(WriteBudgets(dir.folder(), reread).ok());
    EXPECT_EQ(dir.Read("VERADIV.ENV"), before);
}

std::array<std::string, 3> Lines(const std::string& a, const std::string& b = "",
                                 const std::string& c = "") {
    return {Sjis(a), Sjis(b), Sjis(c)};
}

TEST(MemoFile, daysAreStoredAsCalendarDaysAndShownAsAccountingDays) {
    TempFolder dir;
    MemoMonth memo;
    memo.SetLines(3, Lines("年末の買い物"));
    ASSERT_TRUE(SaveMemo(dir.folder(), 25, 100, 1, memo).ok());
    std::string bytes = dir.Read("200001.MEM");
    ASSERT_EQ(bytes.size(), 240u);
    EXPECT_EQ(bytes.substr(0, 2), "28");
    EXPECT_EQ(bytes.substr(80, 2), "28");
    EXPECT_EQ(bytes.substr(160, 2), "28");
    EXPECT_EQ(bytes.substr(2, 78), Sjis("年末の買い物") + std::string(66, ' '));

    MemoMonth loaded;
    ASSERT_TRUE(LoadMemo(dir.folder(), 25, 100, 1, loaded).ok());
    EXPECT_TRUE(loaded.InUse(3));
    EXPECT_EQ(loaded.LinesOf(3)[0], Sjis("年末の買い物"));
    ASSERT_TRUE(SaveMemo(dir.folder(), 25, 100, 1, loaded).ok());
    EXPECT_EQ(dir.Read("200001.MEM"), bytes);
}

TEST(MemoFile, erasingTheLastMemoLeavesAnEmptyFile) {
    TempFolder dir;
    MemoMonth memo;
    std::string full;
    for (int i = 0; i < 39; ++i)
        full += "あ";
    memo.SetLines(5, Lines(full, "b"));
    memo.SetLines(9, Lines("", "", "c"));
    ASSERT_TRUE(SaveMemo(dir.folder(), 31, 100, 1, memo).ok());
    EXPECT_EQ(dir.Read("200001.MEM").substr(0, 80), " 5" + Sjis(full));

    memo.SetLines(5, Lines(""));
    ASSERT_TRUE(SaveMemo(dir.folder(), 31, 100, 1, memo).ok());
    EXPECT_EQ(dir.Read("200001.MEM").substr(0, 2), " 9");
    memo.SetLines(9, Lines(""));
    ASSERT_TRUE(SaveMemo(dir.folder(), 31, 100, 1, memo).ok());
    EXPECT_EQ(dir.Read("200001.MEM"), "");
    ASSERT_TRUE(LoadMemo(dir.folder(), 31, 100, 1, memo).ok());
    EXPECT_FALSE(memo.InUse(9));
}

TEST(MemoFile, recordsThatCannotBePlacedAreKeptUnchanged) {
    TempFolder dir;
    MemoMonth memo;
    memo.SetLines(4, Lines("x"));
    std::string good = SerializeMemo(31, 100, 1, memo);
    std::string badDay = good;
    badDay.replace(0, 2, "ab");
    std::string duplicate = good;
    duplicate.replace(2, 1, "y");
    dir.Write("200001.MEM", good + badDay + duplicate + "short");
    ASSERT_TRUE(LoadMemo(dir.folder(), 31, 100, 1, memo).ok());
    EXPECT_EQ(memo.LinesOf(4)[0], "x");
    ASSERT_TRUE(SaveMemo(dir.folder(), 31, 100, 1, memo).ok());
    EXPECT_EQ(dir.Read("200001.MEM"), good + badDay + duplicate + "short");
}

// A hand-edited options file, saved with any line ends, keeps its option.
TEST(EntryOptionsFile, readsTheOptionWhateverTheLineEnds) {
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        const std::string bytes = Sjis("; メモ" + end + "1桁で次へ=1" + end);
        EXPECT_TRUE(ParseEntryOptions(bytes).oneDigitMovesOn) << ::testing::PrintToString(end);
    }
}

}  // namespace
}  // namespace hanaki

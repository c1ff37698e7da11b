#include <gtest/gtest.h>

#include "data/book/remark_memory.h"
#include "data/formats/fixed_field.h"
#include "support/cp932_text.h"
#include "support/faulty_file_system.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::ItemFields;
using testing::LedgerFileBytes;
using testing::RecordOf;

// Case folding of ASCII alone: the memory's own rules, whatever the fold.
std::u32string LowerCase(std::string_view utf8) {
    std::u32string folded;
    for (char c : utf8)
        folded += static_cast<char32_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return folded;
}

ItemFields Item(const char* date, int category, int description, const char* amount,
                const char* remark) {
    return {.date = date,
            .category = TwoDigits(category),
            .description = TwoDigits(description),
            .amount = amount,
            .remark = remark};
}

CategoryTable Master(int categories) {
    CategoryTable master;
    for (int c = 1; c <= categories; ++c) {
        master.names[c] = "c" + std::to_string(c);
        master.descriptions[c][1] = "d1";
        master.descriptions[c][2] = "d2";
    }
    return master;
}

std::string Proposed(const std::optional<RemarkProposal>& p) {
    return p ? std::to_string(p->category) + "/" + std::to_string(p->description) + " " +
                   p->amount + " " + p->remark
             : "none";
}

// November and December 2026 in the folder; October, a thirteenth month back, too.
struct Household {
    Household() {
        folder.Write("202510.DAT", LedgerFileBytes({Item("251020", 1, 1, "-1", "Zoo")}));
        folder.Write(
            "202611.DAT",
            LedgerFileBytes(
                {Item("261103", 2, 2, "-1280", "Super"), Item("261105", 3, 1, "-900", "Super bath"),
                 Item("261110", 2, 1, "-2140", "SUPER  "), Item("261112", 5, 1, "-1500", "Drug"),
                 Item("261113", 2, 1, "-300", "Drug"), Item("261114", 9, 1, "-700", "Drugstore")}));
        folder.Write("202612.DAT", LedgerFileBytes({Item("261201", 1, 2, "+5", "Sun")}));
        memory.Read(folder.folder(fs), kMonthEnd, 126, 12);
    }
    testing::TempFolder folder;
    testing::FaultyFileSystem fs;
    RemarkMemory memory{LowerCase};
    CategoryTable master = Master(4);
};

TEST(RemarkMemory, CompletesAndProposesFromTheLastTwelveMonths) {
    Household household;
    RemarkMemory& memory = household.memory;
    struct Case {
        const char* typed;
        std::vector<std::string> completions;
        std::string lastItem;  // LastItemWith(typed)
        std::string proposal;  // ProposalFor(typed)
    };
    const Case cases[] = {
        // Used twice first, then the later; shown as last written; no match of its own length.
        {"su", {"SUPER", "Sun", "Super bath"}, "none", "none"},
        {"super", {"Super bath"}, "2/1 -2140 SUPER", "2/1 -2140 SUPER"},
        // The deleted category 5 proposes nothing: the earlier live item does.
        {"Drug", {"Drugstore"}, "2/1 -300 Drug", "2/1 -300 Drug"},
        // A text from outside names the longest remark it holds; 9 is gone.
        {"card drugstore 12/3", {}, "none", "2/1 -300 Drug"},
        {"zo", {}, "none", "none"},  // thirteen months back
        {"", {}, "none", "none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(memory.Completions(c.typed), c.completions);
        EXPECT_EQ(Proposed(memory.LastItemWith(c.typed, household.master)), c.lastItem);
        EXPECT_EQ(Proposed(memory.ProposalFor(c.typed, household.master)), c.proposal);
    }
}

TEST(RemarkMemory, FollowsTheOpenMonthAsItChanges) {
    Household household;
    RemarkMemory& memory = household.memory;
    MonthLedger december;
    ASSERT_TRUE(
        LoadMonthLedger(household.folder.folder(household.fs), kMonthEnd, 126, 12, december).ok());
    EXPECT_EQ(Proposed(memory.LastItemWith("Super", household.master)), "2/1 -2140 SUPER");
    // Stored: the new item is the last with its remark.
    AppendItem(december, december.head, RecordOf(Item("261202", 4, 2, "-88", "super")));
    memory.PutMonth(126, 12, december);
    EXPECT_EQ(Proposed(memory.LastItemWith("Super", household.master)), "4/2 -88 super");
    EXPECT_EQ(memory.Completions("su").front(), "super");
    // Corrected to another remark, then deleted: November's item again.
    ReplaceItem(december, 2, RecordOf(Item("261202", 4, 2, "-88", "Sunny")));
    memory.PutMonth(126, 12, december);
    EXPECT_EQ(Proposed(memory.LastItemWith("Super", household.master)), "2/1 -2140 SUPER");
    UnlinkItem(december, 2);
    memory.PutMonth(126, 12, december);
    EXPECT_EQ(memory.Completions("sun"), std::vector<std::string>{});
    // A category deleted from the master since: its items propose nothing.
    EXPECT_EQ(Proposed(memory.LastItemWith("Super", Master(1))), "none");
}

// The window stores items, opens months and undoes before anything is asked:
// the months are read when first asked, each item counted once.
TEST(RemarkMemory, ReadsItsMonthsWhenFirstAsked) {
    struct Case {
        const char* what;
        bool askFirst;                     // a completion before the changes
        std::vector<const char*> stores;   // remarks stored into December, saved then put
        bool openOctober;                  // the window opens October 2025, a thirteenth month
        bool readAgain;                    // an undo: the twelve months read again
        std::vector<std::string> offered;  // Completions("t"), then "zo"
    };
    // Toy three uses, Tea two, Tax one: a store of Tax makes it the latest of
    // two, after Toy; lost it stays last, counted twice it comes first.
    const Case cases[] = {
        {"nothing changed", false, {}, false, false, {"Toy", "Tea", "Tax"}},
        {"a store before the first completion",
         false,
         {"Tax"},
         false,
         false,
         {"Toy", "Tax", "Tea"}},
        {"a store after it", true, {"Tax"}, false, false, {"Toy", "Tax", "Tea"}},
        {"two stores, then an undo",
         false,
         {"Tax", "Tab"},
         false,
         true,
         {"Toy", "Tax", "Tea", "Tab"}},
        {"a month opened beyond the twelve", false, {}, true, false, {"Toy", "Tea", "Tax", "Zoo"}},
        {"then an undo forgets it", true, {}, true, true, {"Toy", "Tea", "Tax"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::TempFolder folder;
        testing::FaultyFileSystem fs;
        const DataFolder data = folder.folder(fs);
        folder.Write("202510.DAT", LedgerFileBytes({Item("251020", 1, 1, "-1", "Zoo")}));
        folder.Write("202611.DAT", LedgerFileBytes({Item("261101", 1, 1, "-1", "Tea"),
                                                    Item("261102", 1, 1, "-1", "Tea"),
                                                    Item("261103", 1, 1, "-1", "Tax")}));
        RemarkMemory memory{LowerCase};
        memory.Read(data, kMonthEnd, 126, 12);
        MonthLedger december;
        memory.PutMonth(126, 12, december);
        // Written after the window opened, before the first completion.
        folder.Write("202610.DAT", LedgerFileBytes({Item("261001", 1, 1, "-1", "Toy"),
                                                    Item("261002", 1, 1, "-1", "Toy"),
                                                    Item("261003", 1, 1, "-1", "Toy")}));
        if (c.askFirst)
            memory.Completions("t");
        int last = 0;
        for (const char* remark : c.stores) {
            last = AppendItem(december, last, RecordOf(Item("261205", 1, 1, "-9", remark)));
            ASSERT_TRUE(SaveMonthLedger(data, kMonthEnd, 126, 12, december).ok());
            memory.PutMonth(126, 12, december);
        }
        if (c.openOctober) {
            MonthLedger october;
            ASSERT_TRUE(LoadMonthLedger(data, kMonthEnd, 125, 10, october).ok());
            memory.PutMonth(125, 10, october);
        }
        if (c.readAgain) {
            memory.Read(data, kMonthEnd, 126, 12);
            memory.PutMonth(126, 12, december);
        }
        std::vector<std::string> offered = memory.Completions("t");
        for (const std::string& zoo : memory.Completions("zo"))
            offered.push_back(zoo);
        EXPECT_EQ(offered, c.offered);
    }
}

// UTF-8 as code points, ASCII case folded: kana stay as they are.
std::u32string CodePoints(std::string_view utf8) {
    std::u32string points;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            c = c << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        points += c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c;
        i += length;
    }
    return points;
}

TEST(RemarkMemory, CompletesRomajiFromTheKanaRemarksItReadsAs) {
    testing::TempFolder folder;
    testing::FaultyFileSystem fs;
    std::vector<ItemFields> items;
    for (const char* remark :
         {"スーパー", "スーパー", "スーパー", "すし", "すし", "セルフ", "チーズ", "ツナ", "ふじや",
          "じてんしゃ", "コンビニ", "ドラッグストア", "Sun"})
        items.push_back(Item("261103", 2, 1, "-100", remark));
    folder.Write("202611.DAT", LedgerFileBytes(items));
    RemarkMemory memory{CodePoints};
    memory.Read(folder.folder(fs), kMonthEnd, 126, 11);
    const std::vector<std::pair<const char*, std::vector<const char*>>> cases = {
        // A consonant alone stands for its row; hiragana and katakana alike, latin never.
        {"s", {"スーパー", "すし", "セルフ"}},
        {"SU", {"スーパー", "すし"}},
        {"su-", {"スーパー"}},
        {"shi", {}},
        {"ti", {"チーズ"}},
        {"chi", {"チーズ"}},
        {"tu", {"ツナ"}},
        {"tsu", {"ツナ"}},
        {"hu", {"ふじや"}},
        {"fuji", {"ふじや"}},
        {"zite", {"じてんしゃ"}},
        {"jitens", {"じてんしゃ"}},
        {"konbini", {"コンビニ"}},
        {"konnbi", {"コンビニ"}},
        {"kon'b", {"コンビニ"}},
        // A doubled consonant is a small tsu, a single one at the end may begin one.
        {"doraggu", {"ドラッグストア"}},
        {"dorag", {"ドラッグストア"}},
        {"x", {}},
        {"q", {}},
        {"su1", {}},
        {"", {}},
    };
    for (const auto& [typed, expected] : cases) {
        SCOPED_TRACE(typed);
        std::vector<std::string> remarks;
        for (const char* remark : expected)
            remarks.push_back(testing::Sjis(remark));
        std::vector<std::string> offered = memory.ReadingCompletions(typed);
        EXPECT_EQ(offered, remarks);
    }
}

}  // namespace
}  // namespace hanaki

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/formats/statement_fields.h"
#include "data/formats/statement_layouts.h"
#include "data/formats/statement_rules.h"
#include "data/formats/statement_table.h"
#include "support/cp932_text.h"

namespace hanaki {
namespace {

using testing::Sjis;

TEST(StatementFields, datesAndAmountsReadInEveryFormAndRefuseTheRest) {
    struct DateCase {
        std::string cell;
        StatementValue value;
        CivilDate date;
    };
    const DateCase dates[] = {
        {"2026/12/08", StatementValue::Ok, {2026, 12, 8}},
        {"2026-12-08", StatementValue::Ok, {2026, 12, 8}},
        {"2026.1.5", StatementValue::Ok, {2026, 1, 5}},
        {"2026年12月8日", StatementValue::Ok, {2026, 12, 8}},
        {"20261208", StatementValue::Ok, {2026, 12, 8}},
        {"R8.12.8", StatementValue::Ok, {2026, 12, 8}},
        {"r08/12/08", StatementValue::Ok, {2026, 12, 8}},
        {"令和8年12月8日", StatementValue::Ok, {2026, 12, 8}},
        {"令和元年5月1日", StatementValue::Ok, {2019, 5, 1}},
        {"平成31年4月30日", StatementValue::Ok, {2019, 4, 30}},
        {"H12.2.29", StatementValue::Ok, {2000, 2, 29}},
        {"昭和25年1月1日", StatementValue::Ok, {1950, 1, 1}},
        {"２０２６／１２／０８", StatementValue::Ok, {2026, 12, 8}},
        {" 2026/12/08 10:23:45 ", StatementValue::Ok, {2026, 12, 8}},
        {"", StatementValue::Empty, {}},
        {"2026/02/29", StatementValue::Bad, {}},
        {"2026/13/01", StatementValue::Bad, {}},
        {"2026/12/08x", StatementValue::Bad, {}},
        {"26/12/08", StatementValue::Bad, {}},
        {"合計", StatementValue::Bad, {}},
        {"1949/12/31", StatementValue::OutsideYears, {}},
        {"2050/01/01", StatementValue::OutsideYears, {}},
        {"昭和24年12月31日", StatementValue::OutsideYears, {}},
    };
    for (const DateCase& c : dates) {
        CivilDate date;
        EXPECT_EQ(ParseStatementDate(c.cell, date), c.value) << c.cell;
        if (c.value == StatementValue::Ok) {
            EXPECT_EQ(date, c.date) << c.cell;
        }
    }

    struct AmountCase {
        std::string cell;
        StatementValue value;
        long long amount;
    };
    const AmountCase amounts[] = {
        {"1234", StatementValue::Ok, 1234},
        {"1,234", StatementValue::Ok, 1234},
        {"￥1,234", StatementValue::Ok, 1234},
        {"¥1,234", StatementValue::Ok, 1234},
        {"\\1,234", StatementValue::Ok, 1234},
        {"1,234円", StatementValue::Ok, 1234},
        {"-1,234", StatementValue::Ok, -1234},
        {"−1,234", StatementValue::Ok, -1234},
        {"－１，２３４", StatementValue::Ok, -1234},
        {"▲500", StatementValue::Ok, -500},
        {"-￥500", StatementValue::Ok, -500},
        {"１２３４", StatementValue::Ok, 1234},
        {"999,999,999", StatementValue::Ok, 999999999},
        {"", StatementValue::Empty, 0},
        {"1,000,000,000", StatementValue::TooLarge, 0},
        {"0", StatementValue::Zero, 0},
        {"￥0円", StatementValue::Zero, 0},
        {"12a", StatementValue::Bad, 0},
        {"1,,234", StatementValue::Bad, 0},
        {",123", StatementValue::Bad, 0},
        {"1.5", StatementValue::Bad, 0},
        {"円", StatementValue::Bad, 0},
    };
    for (const AmountCase& c : amounts) {
        long long amount = 0;
        EXPECT_EQ(ParseStatementAmount(c.cell, amount), c.value) << c.cell;
        if (c.value == StatementValue::Ok) {
            EXPECT_EQ(amount, c.amount) << c.cell;
        }
    }
}

TEST(StatementTable, quotedFieldsLineEndsAndBadBytesAreReadOrRefused) {
    struct Case {
        std::string name;
        std::string bytes;
        StatementReadError error;
        int errorLine;
        std::vector<std::vector<std::string>> rows;  // UTF-8
        std::vector<int> lines;
    };
    const Case cases[] = {
        {"quotes, commas and a line break inside a field, CR LF",
         "a,\"b,c\",\"say \"\"hi\"\"\"\r\n\"two\r\nlines\",x,\r\n\r\nlast,y,z\r\n",
         StatementReadError::None,
         0,
         {{"a", "b,c", "say \"hi\""}, {"two\nlines", "x", ""}, {"last", "y", "z"}},
         {1, 2, 5}},
        {"tabs, with commas of amounts unquoted, LF and no end",
         "日付\t金額\n2026/12/01\t1,234\n2026/12/02\t-50",
         StatementReadError::None,
         0,
         {{"日付", "金額"}, {"2026/12/01", "1,234"}, {"2026/12/02", "-50"}},
         {1, 2, 3}},
        {"a byte order mark", "\xEF\xBB\xBFx,y\n", StatementReadError::None, 0, {{"x", "y"}}, {1}},
        {"code page 932 with half-width katakana and ①",
         Sjis("ｶ)ﾏﾙｴﾂ,①\r\n"),
         StatementReadError::None,
         0,
         {{"ｶ)ﾏﾙｴﾂ", "①"}},
         {1}},
        {"neither UTF-8 nor code page 932",
         "x,\xFF\xFE\r\n",
         StatementReadError::Encoding,
         0,
         {},
         {}},
        {"an unassigned code page 932 pair",
         "x,\x85\x40\r\n",
         StatementReadError::Encoding,
         0,
         {},
         {}},
        {"a binary file", std::string("x,y\0z\n", 6), StatementReadError::Encoding, 0, {}, {}},
        {"no table", "just a letter\nand another\n", StatementReadError::NotATable, 0, {}, {}},
        {"a quote never closed", "a,b\nc,\"d\n", StatementReadError::OpenQuote, 2, {}, {}},
        {"too many columns",
         std::string(70, ',') + "\n",
         StatementReadError::TooManyFields,
         1,
         {},
         {}},
        {"too many rows",
         [] {
             std::string many;
             for (std::size_t i = 0; i <= kStatementRowLimit; ++i)
                 many += "a,b\n";
             return many;
         }(),
         StatementReadError::TooManyRows,
         static_cast<int>(kStatementRowLimit) + 1,
         {},
         {}},
        {"too many cells",
         [] {
             std::string wide;
             for (int i = 0; i < 20'000; ++i)
                 wide += std::string(59, ',') + "x\n";
             return wide;
         }(),
         StatementReadError::TooManyRows,
         16'667,
         {},
         {}},
    };
    for (const Case& c : cases) {
        const StatementTable table = ReadStatementTable(c.bytes);
        EXPECT_EQ(table.error, c.error) << c.name;
        EXPECT_EQ(table.errorLine, c.errorLine) << c.name;
        if (c.error != StatementReadError::None)
            continue;
        ASSERT_EQ(table.rows.size(), c.rows.size()) << c.name;
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            EXPECT_EQ(table.rows[i].fields, c.rows[i]) << c.name << " row " << i;
            EXPECT_EQ(table.rows[i].line, c.lines[i]) << c.name << " row " << i;
        }
    }
}

TEST(StatementTable, aChosenEncodingReadsBytesThatBothEncodingsAccept) {
    const std::string bytes = Sjis("ﾃｽ,1\r\n");  // C3 BD: "ý" in UTF-8
    EXPECT_EQ(ReadStatementTable(bytes).rows.at(0).fields.at(0), "ý");
    const StatementTable chosen = ReadStatementTable(bytes, StatementEncoding::Cp932);
    EXPECT_EQ(chosen.encoding, StatementEncoding::Cp932);
    EXPECT_EQ(chosen.rows.at(0).fields.at(0), "ﾃｽ");
    EXPECT_EQ(ReadStatementTable(Sjis("日付,1\r\n"), StatementEncoding::Utf8).error,
              StatementReadError::Encoding);
}

TEST(StatementLayouts, aConfirmedLayoutIsFoundAgainByItsHeaderAndOddLinesStay) {
    const StatementTable table = ReadStatementTable(
        "ハナキカード ご利用明細\r\n"
        "利用日,利用店名・商品名,利用者,支払方法,利用金額,手数料,支払総額\r\n"
        "2026/11/28,本屋,本人,1回払い,980,0,980\r\n");
    const std::optional<GuessedLayout> guessed = GuessStatementLayout(table);
    ASSERT_TRUE(guessed);
    EXPECT_EQ(guessed->headerRow, 1u);
    EXPECT_EQ(guessed->layout.amountColumn, 6);  // 支払総額: the fee included
    StatementLayout confirmed = guessed->layout;
    confirmed.textColumns = {1, 2};  // the user adds 利用者

    StatementLayouts layouts = ParseStatementLayouts(Sjis("; 明細の形\r\nこわれた行\r\n"));
    RememberLayout(layouts, confirmed);
    RememberLayout(layouts, confirmed);  // once only
    const std::string bytes = SerializeStatementLayouts(layouts);
    EXPECT_EQ(bytes, Sjis("; 明細の形\r\nこわれた行\r\n"
                          "1,7,+,0,0,2+3,利用日\t利用店名・商品名\t利用者\t支払方法\t"
                          "利用金額\t手数料\t支払総額\r\n"));
    const StatementLayouts read = ParseStatementLayouts(bytes);
    EXPECT_EQ(read.UnreadableLines(), std::vector<int>{1});
    const std::optional<GuessedLayout> found = FindRememberedLayout(read, table);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->headerRow, 1u);
    EXPECT_EQ(found->layout, confirmed);
    EXPECT_FALSE(FindRememberedLayout(read, ReadStatementTable("日付,金額\r\n")));
}

TEST(StatementRules, theLongestWordDecidesAndUnreadableLinesAreKept) {
    StatementRules rules =
        ParseStatementRules(Sjis("; 取り込みの規則\r\n"
                                 "2,1,スーパー\r\n"
                                 "2,3,スーパー丸, 駅前店\r\n"
                                 "取り込まない,ＡＢＣカード\r\n"
                                 "21,1,費目がない\r\n"
                                 "2,1,\r\n"
                                 "なにか\r\n"));
    EXPECT_EQ(rules.UnreadableLines(), (std::vector<int>{4, 5, 6}));
    const StatementRuleMatcher matcher(rules);
    struct Case {
        std::string text;
        int category;
        int description;
        bool skip;
    };
    const Case cases[] = {
        {"スーパー丸, 駅前店 食品", 2, 3, false},
        {"ｽｰﾊﾟｰ", -1, -1, false},  // half-width katakana is another word
        {"スーパー京", 2, 1, false},
        {"abcカード 12月分", 0, 0, true},
        {"ＡＢＣカード", 0, 0, true},
        {"本屋", -1, -1, false},
    };
    for (const Case& c : cases) {
        const StatementRule* rule = matcher.Match(c.text);
        if (c.category < 0) {
            EXPECT_EQ(rule, nullptr) << c.text;
            continue;
        }
        ASSERT_NE(rule, nullptr) << c.text;
        EXPECT_EQ(rule->skip, c.skip) << c.text;
        EXPECT_EQ(rule->category, c.category) << c.text;
        EXPECT_EQ(rule->description, c.description) << c.text;
    }

    LearnStatementRule(rules, {Sjis("スーパー"), false, 3, 2});
    LearnStatementRule(rules, {Sjis("本屋"), false, 4, 1});
    EXPECT_EQ(SerializeStatementRules(rules), Sjis("; 取り込みの規則\r\n"
                                                   "3,2,スーパー\r\n"
                                                   "2,3,スーパー丸, 駅前店\r\n"
                                                   "取り込まない,ＡＢＣカード\r\n"
                                                   "21,1,費目がない\r\n"
                                                   "2,1,\r\n"
                                                   "なにか\r\n"
                                                   "4,1,本屋\r\n"));
}

}  // namespace
}  // namespace hanaki

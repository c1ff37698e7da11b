#include <gtest/gtest.h>

#include "data/book/amount_format.h"
#include "data/book/consumption_tax.h"
#include "data/disk/text_lines.h"
#include "data/formats/cp932.h"
#include "data/formats/display_width.h"
#include "data/formats/fixed_field.h"

namespace hanaki {
namespace {

TEST(CodePage932, holdsWindowsCharactersAndRefusesOthers) {
    EXPECT_EQ(*Utf8ToCp932("〜−¥①"), "\x81\x60\x81\x7C\x5C\x87\x40");
    EXPECT_EQ(*Utf8ToCp932("ｱ"), "\xB1");
    EXPECT_FALSE(Utf8ToCp932("😀"));
    EXPECT_FALSE(Utf8ToCp932("𠮷"));
    EXPECT_EQ(Utf8ToCp932Lossy("a😀b"), "a?b");
    EXPECT_EQ(Cp932ToUtf8("\x82\xA0\x81"), "あ\xEF\xBF\xBD");
    // A trail byte in the ASCII range ("\\" in 表 and ソ) stays part of its character.
    EXPECT_EQ(Cp932ToUtf8("a\x95\x5C\x83\x5C x\xB1\x81"), "a表ソ xｱ\xEF\xBF\xBD");
}

// The remembering decoder against iconv's own: every single byte and every
// pair, alone and within a text, and texts that end halfway through a character.
TEST(Cp932, theDecoderGivesWhatIconvGivesForEveryCharacter) {
    Cp932Decoder decoder;
    std::string text;
    for (int code = 0; code < 0x10000; ++code) {
        std::string character;
        if (code >= 0x100)
            character += static_cast<char>(code >> 8);
        character += static_cast<char>(code & 0xFF);
        ASSERT_EQ(decoder.Decode(character), Cp932ToUtf8(character)) << code;
        if (code % 97 == 0)
            text += character + "  x";
    }
    EXPECT_EQ(decoder.Decode(text), Cp932ToUtf8(text));
    for (const std::string_view cut : {"\x82\xA0\x81", "abcdefgh\x82", "\xB1\x81", ""})
        EXPECT_EQ(decoder.Decode(cut), Cp932ToUtf8(cut)) << cut;
}

TEST(FixedField, padsCutsAndNeverSplitsACharacter) {
    std::string a = *Utf8ToCp932("あいう");
    EXPECT_EQ(FitField("ab", 4), "ab  ");
    EXPECT_EQ(FitField(a, 6), a);
    EXPECT_EQ(FitField(a, 5), a.substr(0, 4) + " ");
    EXPECT_EQ(FitField("x" + a, 6), "x" + a.substr(0, 4) + " ");
    EXPECT_EQ(CutToBytes(a, 3), a.substr(0, 2));
    EXPECT_EQ(TrimRight("ab  "), "ab");
    EXPECT_EQ(TrimRight("   "), "");
}

TEST(FixedField, integersAreWholeFieldsOnly) {
    EXPECT_EQ(ParseInteger(" 25 "), 25);
    EXPECT_EQ(ParseInteger("-300"), -300);
    EXPECT_FALSE(ParseInteger(""));
    EXPECT_FALSE(ParseInteger("1O"));
    EXPECT_FALSE(ParseInteger("-"));
    EXPECT_FALSE(ParseInteger("9999999999999999999999"));
}

TEST(ListInput, everyLineEndEndsALineAndTabsAreSkippedLikeBlanks) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"CR LF", "25\r\n 3,\t1\r\n"},
        {"LF", "25\n 3,\t1\n"},
        {"CR", "25\r 3,\t1\r"},
        {"no end", "25\r\n\t 3,1"},
    };
    for (const Case& c : cases) {
        std::vector<ListField> fields = ReadListFields(c.bytes);
        ASSERT_EQ(fields.size(), 3u) << c.name;
        EXPECT_EQ(fields[0].text, "25") << c.name;
        EXPECT_EQ(fields[1].text, "3") << c.name;
        EXPECT_EQ(fields[1].line, 1) << c.name;
        EXPECT_EQ(fields[2].text, "1") << c.name;
    }
    EXPECT_EQ(SplitLines("a\r\r\nb\n\rc"), (std::vector<std::string>{"a", "", "b", "", "c"}));
}

TEST(AmountPictures, groupBlankAndRound) {
    struct Case {
        double value;
        std::string grouped, blankZero, plain, hash;
    };
    const Case cases[] = {
        {0, "0", "", "0", ""},
        {1234567, "1,234,567", "1,234,567", "1234567", "1234567"},
        {-12000, "-12,000", "-12,000", "-12000", "-12000"},
        {999, "999", "999", "999", "999"},
        {1000, "1,000", "1,000", "1000", "1000"},
        {-100000, "-100,000", "-100,000", "-100000", "-100000"},
        {103.95, "104", "104", "104", "104"},
        {2.5, "3", "3", "3", "3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatGrouped(c.value), c.grouped);
        EXPECT_EQ(FormatGroupedBlankZero(c.value), c.blankZero);
        EXPECT_EQ(FormatPlain(c.value), c.plain);
        EXPECT_EQ(FormatPlainBlankZero(c.value), c.hash);
    }
    EXPECT_EQ(FormatFixed(12.345), "12.35");
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
}

TEST(DisplayWidth, wideCharactersTakeTwoCellsAndAmbiguousOnesOne) {
    const std::vector<std::pair<std::string, std::size_t>> cases{
        {"abc", 3},  {"食費", 4},   {"ｶﾅ", 2},     {"５０００", 8},
        {"※①α○", 4}, {"予　算", 6}, {"〒ー、", 6}, {"", 0},
    };
    for (const auto& [text, cells] : cases)
        EXPECT_EQ(DisplayWidth(text), cells) << text;
}

TEST(ConsumptionTax, followsTheRateInForceOnTheDay) {
    struct Case {
        CivilDate date;
        long long amount, added, removed;
    };
    const Case cases[] = {
        {{1989, 3, 31}, 1000, 1000, 1000}, {{1989, 4, 1}, 1000, 1030, 971},
        {{1999, 12, 1}, 1000, 1050, 952},  {{1999, 12, 1}, 99, 104, 94},
        {{1999, 12, 1}, 1050, 1103, 1000}, {{2014, 4, 1}, 1000, 1080, 926},
        {{2019, 9, 30}, 1000, 1080, 926},  {{2019, 10, 1}, 1000, 1100, 909},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AddConsumptionTax(c.amount, c.date), c.added) << c.date.year;
        EXPECT_EQ(RemoveConsumptionTax(c.amount, c.date), c.removed) << c.date.year;
    }
}

}  // namespace
}  // namespace hanaki

#include "find/item_text_match.h"

#include <gtest/gtest.h>

#include <QString>

#include "data/formats/cp932.h"
#include "data/formats/fixed_field.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::RecordBytes;

TEST(ItemTextMatch, comparesFoldedTextsInNamesAndRemarkAndDigitsAlsoAsTheAmount) {
    const struct {
        std::string text;
        std::string category, description, remark;
        long long amount;
        bool found;
    } cases[] = {
        {"ｶﾞｿﾘﾝ", "車両費", "", "セルフのガソリン代", 1, true},  // half-width kana joined by NFKC
        {"ガソリン", "車両費", "ｶﾞｿﾘﾝ", "", 1, true},
        {"ﾊﾟﾝ", "食費", "", "朝のパン", 1, true},
        {"カ", "車両費", "", "ガソリン", 1, false},  // a voiced kana is another letter
        {"ＡＢＣ", "", "", "abc損保", 1, true},
        {"abc", "", "", "ＡＢＣスタンド", 1, true},
        {"Abc", "ＡＢＣ", "", "", 1, true},
        {"iii", "", "", "Ⅲ番線", 1, true},  // compatibility characters read as they look
        {"株", "", "", "㈱山田商店", 1, true},
        {"費", "食費", "", "", 1, true},
        {"朝食", "食費", "朝食", "", 1, true},
        {"食 ", "食費", "", "", 1, false},  // the blanks that fill a field are not its text
        {"500", "食費", "", "", 500, true},
        {"０５００", "食費", "", "", 500, true},
        {"500", "食費", "", "", 1500, false},
        {"500", "食費", "", "1500円の半分", 750, true},
        {"12,345", "食費", "", "", 12345, true},  // an amount as every screen prints it
        {"￥12,345", "食費", "", "", 12345, true},
        {"\\12,345", "食費", "", "", 12345, true},  // the yen sign of code page 932
        {"1,234,567円", "食費", "", "", 1234567, true},
        {"１２，３４５", "食費", "", "", 12345, true},
        {"1,2345", "食費", "", "", 12345, false},
        {"12,34", "食費", "", "", 1234, false},
        {",345", "食費", "", "", 345, false},
        {"〜特売", "", "", "〜特売", 1,
         true},  // stored as ～ (U+FF5E), as an input method types it
        {"～特売", "", "", "〜特売", 1, true},
        {"~特売", "", "", "〜特売", 1, true},
        {"−20%", "", "", "−20%", 1, true},  // U+2212, stored as －
        {"-20%", "", "", "−20%", 1, true},
        {"‖", "", "", "∥", 1, true},
        {"¢£¬", "", "", "￠￡￢", 1, true},
        {"—", "", "", "―", 1, true},  // U+2014 and U+2015
        {"¥100", "", "", "￥100", 1, true},
        {"", "食費", "", "", 0, false},
    };
    for (const auto& c : cases) {
        const std::string bytes = RecordBytes({.date = "260105",
                                               .categoryName = c.category,
                                               .descriptionName = c.description,
                                               .amount = "-" + std::to_string(c.amount),
                                               .remark = c.remark});
        ItemTextMatch match(c.text);
        EXPECT_EQ(match(RecordFields{bytes, {2, 1, c.amount}}), c.found)
            << c.text << " in " << c.category << "/" << c.description << "/" << c.remark;
    }
}

// Whatever character code page 932 stores as another one reads back, the
// text typed finds the text stored.
TEST(ItemTextMatch, everyCharacterIsFoundAsCodePage932ReadsItBack) {
    int twoWay = 0;
    for (char32_t c = 0x80; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        const std::string typed = QString::fromUcs4(&c, 1).toStdString();
        const std::optional<std::string> stored = Utf8ToCp932(typed);
        if (!stored || Cp932ToUtf8(*stored) == typed)
            continue;
        ++twoWay;
        const std::string bytes = EncodeLedgerRecord({"260105", "02", "", "01", "", "-1", *stored});
        ItemTextMatch match(typed);
        EXPECT_TRUE(match(RecordFields{bytes, {2, 1, 1}}))
            << std::hex << static_cast<unsigned>(c) << " stored as " << Cp932ToUtf8(*stored);
    }
    EXPECT_GE(twoWay, 7);
}

TEST(ItemTextMatch, aRenamedCategoryIsFoundByTheNameEachRecordStores) {
    ItemTextMatch match("旧名");
    const std::string before =
        RecordBytes({.date = "260105", .categoryName = "旧名", .amount = "-1"});
    const std::string after =
        RecordBytes({.date = "260105", .categoryName = "新名", .amount = "-1"});
    EXPECT_TRUE(match(RecordFields{before, {2, 1, 1}}));
    EXPECT_FALSE(match(RecordFields{after, {2, 1, 1}}));
    EXPECT_TRUE(match(RecordFields{before, {2, 1, 1}}));
}

}  // namespace
}  // namespace hanaki

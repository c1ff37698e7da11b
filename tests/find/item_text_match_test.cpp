#include "find/item_text_match.h"

#include <gtest/gtest.h>

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

#include "fixed/fixed_item_cells.h"

#include <gtest/gtest.h>

#include "support/cp932_text.h"

namespace hanaki {
namespace {

using testing::Sjis;

// Whatever the editor takes in is written as a line the reader takes back
// whole; what it refuses leaves the item as it was.
TEST(FixedItemCells, whatTheEditorTakesIsReadBackAndWhatItRefusesChangesNothing) {
    CategoryTable categories;
    categories.names[1] = Sjis("給料");
    categories.descriptions[1][1] = Sjis("月給");
    categories.names[2] = Sjis("住居");
    categories.kinds[2] = CategoryKind::Expense;
    categories.descriptions[2][1] = Sjis("家賃");
    categories.descriptions[2][2] = Sjis("修繕");
    struct Case {
        FixedColumn column;
        const char* typed;
        bool taken;
    };
    const Case cases[] = {
        {FixedColumn::Day, "末", true},
        {FixedColumn::Day, "31", true},
        {FixedColumn::Day, "0", false},
        {FixedColumn::Day, "32", false},
        {FixedColumn::Day, "1日", false},
        {FixedColumn::Category, "2", true},
        {FixedColumn::Category, "3", false},
        {FixedColumn::Category, "0", false},
        {FixedColumn::Description, "2", false},
        {FixedColumn::Amount, "", true},
        {FixedColumn::Amount, "999999999", true},
        {FixedColumn::Amount, "1000000000", false},
        {FixedColumn::Amount, "0", false},
        {FixedColumn::Amount, "-5", false},
        {FixedColumn::Every, "6", true},
        {FixedColumn::Every, "4", false},
        {FixedColumn::First, "1950/1", true},
        {FixedColumn::First, "194912", false},
        {FixedColumn::First, "2026/13", false},
        {FixedColumn::Last, "2049/12", true},
        {FixedColumn::Last, "2050/01", false},
        {FixedColumn::Last, "202512", false},
        {FixedColumn::Last, "", true},
        {FixedColumn::Remark, "家賃, 駐車場込み、あいうえおかきくけこさしすせそたちつてとなにぬね",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " in column " + std::to_string(int(c.column)));
        FixedItem item = NewFixedItem(MonthNumber(2026, 1));
        item.lastMonth = MonthNumber(2026, 12);
        const FixedItem before = item;
        const bool taken = !SetFixedField(categories, item, c.column, c.typed).has_value();
        EXPECT_EQ(taken, c.taken);
        if (!taken) {
            EXPECT_EQ(item, before);
        }
        const std::string line = FixedItemLine(item);
        EXPECT_LE(item.remark.size(), kFixedRemarkBytes);
        EXPECT_EQ(ParseFixedItemLine(line), item) << line;
    }
}

// PageUp and PageDown stop at the ends instead of passing them.
TEST(FixedItemCells, stepsStopAtTheirEnds) {
    FixedItem item = NewFixedItem(MonthNumber(1950, 1));
    EXPECT_FALSE(StepFixedField(item, FixedColumn::Day, -1));
    for (int i = 0; i < 31; ++i)
        EXPECT_TRUE(StepFixedField(item, FixedColumn::Day, 1));
    EXPECT_TRUE(item.monthEnd);
    EXPECT_FALSE(StepFixedField(item, FixedColumn::Day, 1));
    EXPECT_FALSE(StepFixedField(item, FixedColumn::First, -1));
    item.every = 12;
    EXPECT_FALSE(StepFixedField(item, FixedColumn::Every, 1));
    item.lastMonth = MonthNumber(2049, 12);
    EXPECT_FALSE(StepFixedField(item, FixedColumn::Last, 1));
    EXPECT_EQ(ParseFixedItemLine(FixedItemLine(item)), item);
}

}  // namespace
}  // namespace hanaki

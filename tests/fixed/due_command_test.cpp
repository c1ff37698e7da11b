#include "fixed/due_command.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "data/disk/folder_lock.h"
#include "data/formats/category_table.h"
#include "data/formats/fixed_items.h"
#include "support/cp932_text.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::Sjis;

// Closing day 25; rent, a salary, a water bill without an amount, and an item
// of a category the master no longer has.
void WriteHousehold(const testing::TempFolder& temp) {
    CategoryTable categories;
    categories.names[1] = Sjis("給料");
    categories.descriptions[1][1] = Sjis("夫給料");
    categories.names[2] = Sjis("住居費");
    categories.kinds[2] = CategoryKind::Expense;
    categories.descriptions[2][1] = Sjis("家賃");
    categories.names[3] = Sjis("水道光熱");
    categories.kinds[3] = CategoryKind::Expense;
    categories.descriptions[3][1] = Sjis("電気代");
    categories.descriptions[3][2] = Sjis("ガス代");
    categories.descriptions[3][3] = Sjis("水道代");
    ASSERT_TRUE(SaveCategoryTable(temp.folder(), categories).ok());
    temp.Write("VERADIV.ENV", "25\r\n");
    temp.Write(std::string(kFixedItemsFileName), Sjis("; 定期項目\r\n"
                                                      "27,2,1,85000,1,202611,,,家賃, 駐車場込み\r\n"
                                                      "25,1,1,300000,1,202611,,,\r\n"
                                                      "10,3,3,,2,202611,,,水道代\r\n"
                                                      "5,9,1,3000,1,202612,,,消えた費目\r\n"
                                                      "32,2,1,1,1,202611,,,読めない行\r\n"));
}

struct CommandRun {
    int code = 0;
    std::string out;
    std::string err;
};

CommandRun RunDue(const testing::TempFolder& temp, DueRequest request) {
    std::ostringstream out, err;
    const int code = RunDueCommand(temp.path(), request, {2026, 12, 8}, out, err);
    return {code, out.str(), err.str()};
}

// What each command prints is in the baselines beside this file; here, what
// only a second run and a held lock show.
TEST(DueCommand, entersNothingTwiceAndWaitsForAFolderInUse) {
    testing::TempFolder temp;
    WriteHousehold(temp);
    const CommandRun entered = RunDue(temp, {true, false});
    EXPECT_EQ(entered.code, 1);  // the unreadable line, the bill without an amount
    EXPECT_NE(entered.out, "");
    EXPECT_EQ(RunDue(temp, {true, false}).out, "");

    FolderLock other(temp.path(), "tsugite");
    ASSERT_TRUE(other.held());
    EXPECT_EQ(RunDue(temp, {true, false}).code, 3);
}

}  // namespace
}  // namespace hanaki

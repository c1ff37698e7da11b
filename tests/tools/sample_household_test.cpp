#include "sample_household/sample_household.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "data/formats/category_table.h"
#include "data/formats/ledger.h"
#include "data/formats/memo.h"
#include "data/formats/settings.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

namespace fs = std::filesystem;

constexpr CivilDate kScreenshotDay{2026, 12, 7};

std::map<std::string, std::string> FilesOf(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().filename().string()] =
            std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

std::map<std::string, std::string> Generated(const CivilDate& today, std::uint32_t seed) {
    testing::TempFolder temp;
    IoResult written = sample::WriteSampleHousehold(temp.folder(), today, seed);
    EXPECT_TRUE(written.ok());
    return FilesOf(temp.path());
}

TEST(SampleHousehold, TheSameSeedWritesTheSameBytes) {
    const auto first = Generated(kScreenshotDay, 7);
    EXPECT_EQ(first, Generated(kScreenshotDay, 7));
    EXPECT_NE(first, Generated(kScreenshotDay, 8));
}

// examples/sample-data is the generator's output, not a hand-edited copy:
// after a change to the generator, run examples/make-sample-data.
TEST(SampleHousehold, TheCopyInTheRepositoryIsWhatTheGeneratorWrites) {
    EXPECT_EQ(FilesOf(HANAKI_SAMPLE_DATA), Generated(kScreenshotDay, 1));
}

TEST(SampleHousehold, EveryFileLoadsWholeWithTheProgramsReaders) {
    testing::TempFolder temp;
    const DataFolder folder = temp.folder();
    ASSERT_TRUE(sample::WriteSampleHousehold(folder, {2027, 1, 26}, 1).ok());

    CategoryTable categories;
    ASSERT_TRUE(LoadCategoryTable(folder, categories).ok());
    EXPECT_EQ(categories.CategoryCount(), 17);
    EXPECT_EQ(SerializeCategoryTable(categories), temp.Read(std::string(kCategoryFileName)));

    Settings settings;
    SettingsReading reading;
    ASSERT_TRUE(LoadSettings(folder, settings, reading).ok());
    EXPECT_EQ(reading.form, SettingsForm::Full);
    EXPECT_FALSE(reading.closingDayInvalid);
    EXPECT_EQ(settings.closingDay, 25);
    EXPECT_TRUE(
        categories.HasDescription(settings.carryOverCategory, settings.carryOverDescription));
    int flagsOff = 0;
    for (int c = 1; c <= categories.CategoryCount(); ++c)
        flagsOff += settings.summaryFlags[c] == 0;
    EXPECT_EQ(flagsOff, 1);

    // 2027-01-26 opens accounting month 2027/02: fourteen months back to 2026/01.
    int memoDays = 0;
    CurrentDate month{126, 1, 1};
    for (int i = 0; i < sample::kSampleMonths; ++i, StepMonth(month, 1)) {
        SCOPED_TRACE(LedgerFileName(month.year, month.month));
        MonthLedger ledger;
        ASSERT_TRUE(LoadMonthLedger(folder, 25, month.year, month.month, ledger).ok());
        EXPECT_EQ(ledger.unreadableRecords, 0);
        EXPECT_GT(ledger.nextFree, i == sample::kSampleMonths - 1 ? 1 : 40);
        for (int slot = ledger.head; slot != 0; slot = ledger.entries[slot].next) {
            std::optional<ItemNumbers> numbers = ReadItemNumbers(ledger.entries[slot].record);
            ASSERT_TRUE(numbers);
            EXPECT_TRUE(categories.HasDescription(numbers->category, numbers->description));
        }
        EXPECT_EQ(SerializeMonthLedger(25, ledger),
                  temp.Read(LedgerFileName(month.year, month.month)));

        MemoMonth memo;
        ASSERT_TRUE(LoadMemo(folder, 25, month.year, month.month, memo).ok());
        EXPECT_TRUE(memo.unplaced.empty());
        for (int day = 1; day <= 31; ++day)
            memoDays += memo.InUse(day);
    }
    EXPECT_GT(memoDays, 20);
    EXPECT_EQ(temp.FileCount(), 2u + 2u * sample::kSampleMonths);
}

}  // namespace
}  // namespace hanaki

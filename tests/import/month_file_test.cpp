#include <gtest/gtest.h>

#include "data/formats/category_table.h"
#include "foreign_folder.h"
#include "import/conversion.h"
#include "support/cp932_text.h"

namespace hanaki {
namespace {

using namespace hanaki::testing;

CategoryTable ForeignCategoryTable() {
    CategoryTable table;
    ParseCategoryFile(Sjis(kForeignCategories), table);
    return table;
}

std::optional<std::string> Convert(const std::string& bytes, ForeignMonth month,
                                   int closingDay = 31) {
    return ConvertMonthFile(bytes, month, closingDay, ForeignCategoryTable());
}

TEST(MonthFileConversion, WritesTheItemsInAccountingOrderKeepingFileOrderWithinADay) {
    struct Case {
        const char* name;
        int closingDay;
        ForeignMonth month;
        std::vector<std::string> dates;     // item k has the amount "-k"
        std::vector<std::string> expected;  // "yymmdd/k"
    };
    // Enough items of two days that an unstable sort would mix each day's order.
    std::vector<std::string> twoDays, twoDaysOrdered;
    for (int k = 0; k < 40; ++k)
        twoDays.push_back(k % 2 ? "0505" : "0510");
    for (int k = 1; k < 40; k += 2)
        twoDaysOrdered.push_back("990505/" + std::to_string(k));
    for (int k = 0; k < 40; k += 2)
        twoDaysOrdered.push_back("990510/" + std::to_string(k));
    const Case cases[] = {
        {"many items of one day", 31, {99, 5}, twoDays, twoDaysOrdered},
        {"closing day 25, May 1999",
         25,
         {99, 5},
         {"0501", "0427", "0525", "0426", "0427", "0430"},
         {"990426/3", "990427/1", "990427/4", "990430/5", "990501/0", "990525/2"}},
        {"month end",
         31,
         {99, 5},
         {"0531", "0501", "0515", "0501"},
         {"990501/1", "990501/3", "990515/2", "990531/0"}},
        {"December days of a January file",
         20,
         {99, 1},
         {"0105", "1225", "0120", "1221", "1231"},
         {"981221/3", "981225/1", "981231/4", "990105/0", "990120/2"}},
        {"January 1990 reaches back to 1989",
         20,
         {90, 1},
         {"0101", "1225"},
         {"891225/1", "900101/0"}},
        {"closing day 1",
         1,
         {99, 6},
         {"0601", "0502", "0531"},
         {"990502/1", "990531/2", "990601/0"}},
    };
    for (const Case& c : cases) {
        std::string bytes;
        for (std::size_t k = 0; k < c.dates.size(); ++k)
            bytes += Foreign(c.dates[k].c_str(), "02", "01", ("-" + std::to_string(k)).c_str());

        std::optional<std::string> ledger = Convert(bytes, c.month, c.closingDay);

        ASSERT_TRUE(ledger) << c.name;
        std::vector<std::string> written;
        for (std::size_t offset = 0; offset < ledger->size(); offset += 104)
            written.push_back(ledger->substr(offset, 6) + "/" +
                              TrimRight(ledger->substr(offset + 35, 9)));
        EXPECT_EQ(written, c.expected) << c.name;
    }
}

TEST(MonthFileConversion, FillsEachLedgerFieldFromTheRecordAndTheCategoryNames) {
    struct Case {
        const char* name;
        std::string record;
        const char* expected;  // UTF-8, up to the remark
        const char* remark;
    };
    const Case cases[] = {
        {"names by number", Foreign("0526", "02", "03", "-1200", "外食"),
         "99052602食費        03夕食        -1200     ", "外食"},
        {"a remark beginning with * is left out", Foreign("0501", "01", "02", "+300000", "*賞与分"),
         "99050101給料        02賞与        +300000   ", ""},
        {"a 23-byte remark loses its last byte",
         Foreign("0502", "2 ", " 1", " 980", "ABCDEFGHIJKLMNOPQRSTUVW"),
         "9905022 食費         1朝食         980      ", "ABCDEFGHIJKLMNOPQRSTUV"},
        {"the cut does not split a character",
         Foreign("0503", "02", "02", "-5", "Aあいうえおかきくけこさ"),
         "99050302食費        02昼食        -5        ", "Aあいうえおかきくけこ"},
        {"number 0 and numbers past the list give empty names", Foreign("0504", "00", "00", "-7"),
         "99050400            00            -7        ", ""},
        {"a description past the category's list", Foreign("0505", "01", "05", "+1"),
         "99050501給料        05            +1        ", ""},
    };
    for (const Case& c : cases) {
        std::optional<std::string> ledger = Convert(c.record, {99, 5});

        ASSERT_TRUE(ledger) << c.name;
        EXPECT_EQ(*ledger, FitField(Sjis(c.expected) + Sjis(c.remark), 104)) << c.name;
    }
}

TEST(MonthFileConversion, ConvertsOnlyWholeRecords) {
    const std::string record = Foreign("0510", "02", "01", "-500", "ABC");
    struct Case {
        std::size_t bytes;
        std::size_t records;
    };
    // A last record cut short (its amount could read as another number) is left out.
    const Case cases[] = {{0, 0}, {39, 0}, {80, 2}, {100, 2}, {59, 1}, {60, 1}, {140, 3}};
    for (const Case& c : cases) {
        std::string file;
        while (file.size() < c.bytes)
            file += record;
        file.resize(c.bytes);

        std::optional<std::string> ledger = Convert(file, {99, 5});

        ASSERT_TRUE(ledger) << c.bytes;
        EXPECT_EQ(ledger->size(), c.records * 104) << c.bytes;
    }
}

TEST(MonthFileConversion, RefusesAFileWithDataOurLedgerCouldNotHold) {
    const std::string good = Foreign("0510", "02", "01", "-500");
    const std::string bad[] = {
        Foreign("0500", "02", "01", "-500"),  // day 0
        Foreign("0532", "02", "01", "-500"),  // day 32
        Foreign("05 1", "02", "01", "-500"),  // a day that is not a number
        Foreign("1310", "02", "01", "-500"),  // month 13
        Foreign("0510", "21", "01", "-500"),  // category past 20
        Foreign("0510", "-1", "01", "-500"),  // category below 0
        Foreign("0510", "x ", "01", "-500"), Foreign("0510", "  ", "01", "-500"),
        Foreign("0510", "02", "21", "-500"),  // description past 20
        Foreign("0510", "02", "01", "500"),   // our readers would lose the 5
        Foreign("0510", "02", "01", "-5O0"), Foreign("0510", "02", "01", ""),
    };
    for (const std::string& record : bad) {
        EXPECT_FALSE(Convert(good + record + good, {99, 5})) << record;
    }

    // Days outside the file's accounting month or missing from the calendar.
    struct Misplaced {
        const char* date;
        int closingDay;
        ForeignMonth month;
    };
    const Misplaced misplaced[] = {
        {"0525", 17, {99, 5}},  // the 25th belongs to the April days of this file
        {"0417", 17, {99, 5}},  // the 17th of April closed the April file
        {"0426", 31, {99, 5}},  // a calendar-month file holds May only
        {"0230", 25, {99, 3}}, {"0229", 31, {99, 2}}, {"1125", 20, {99, 1}},
    };
    for (const Misplaced& m : misplaced) {
        EXPECT_FALSE(Convert(Foreign(m.date, "02", "01", "-500"), m.month, m.closingDay))
            << m.date << " closing " << m.closingDay;
    }
    EXPECT_TRUE(Convert(Foreign("0229", "02", "01", "-500"), {100, 2}));
    EXPECT_TRUE(Convert(Foreign("0418", "02", "01", "-500"), {99, 5}, 17));

    std::string full;
    for (int i = 0; i < 2000; ++i)
        full += good;
    EXPECT_TRUE(Convert(full, {99, 5}));
    EXPECT_FALSE(Convert(full + good, {99, 5}));
}

}  // namespace
}  // namespace hanaki

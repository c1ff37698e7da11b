// A settings file of any bytes: it is read, and each of the two writers that
// keep parts of it (carry-over, budgets) leaves a file that reads back as what
// was kept plus what was written.
#include "data/book/budget.h"
#include "data/formats/settings.h"
#include "fuzz_input.h"
#include "memory_file_system.h"

using namespace hanaki;
using namespace hanaki::fuzzing;

namespace {

const std::string kPath = "/data/VERADIV.ENV";

Settings ReadBack(MemoryFileSystem& fs, SettingsReading& reading) {
    Settings settings;
    reading = ParseSettingsFile(fs.files.at(kPath), settings);
    Require(IsValidClosingDay(settings.closingDay), "the closing day is usable");
    return settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    int category = input.Choose(21);
    int description = input.Choose(21);
    std::string bytes(input.Rest());

    Settings original;
    SettingsReading reading = ParseSettingsFile(bytes, original);
    Require(IsValidClosingDay(original.closingDay), "the closing day is usable");
    for (int i = 1; i <= 20; ++i) {
        const BudgetReading budget = ReadBudget(original.budgets[i]);
        Require(budget.usable() == (budget.yen > 0), "a budget is usable when it is a yen or more");
        original.BudgetValue(i);
    }

    MemoryFileSystem fs;
    DataFolder folder("/data", fs);
    fs.files[kPath] = bytes;
    Require(WriteCarryOver(folder, original.closingDay, category, description).ok(),
            "carry-over written");
    SettingsReading after;
    Settings carried = ReadBack(fs, after);
    if (reading.form != SettingsForm::Missing)
        Require(carried.closingDay == original.closingDay, "the carry-over keeps the closing day");
    Require(carried.carryOverCategory == category && carried.carryOverDescription == description,
            "the carry-over reads back");

    fs.files[kPath] = bytes;
    Settings edited = original;
    edited.budgets[1 + category % 20] = std::to_string(description * 1000);
    edited.summaryFlags[1 + description % 20] = 0;
    Require(WriteBudgets(folder, edited).ok(), "budgets written");
    Settings budgeted = ReadBack(fs, after);
    Require(after.form == SettingsForm::Full, "budgets give a full file");
    if (reading.form != SettingsForm::Missing)
        Require(budgeted.closingDay == original.closingDay, "budgets keep the closing day");
    if (reading.form >= SettingsForm::WithCarryOver) {
        Require(budgeted.carryOverCategory == original.carryOverCategory &&
                    budgeted.carryOverDescription == original.carryOverDescription,
                "budgets keep the carry-over");
    }
    Require(budgeted.budgets == edited.budgets, "the budgets read back");
    Require(budgeted.summaryFlags == edited.summaryFlags, "the summary flags read back");
    return 0;
}

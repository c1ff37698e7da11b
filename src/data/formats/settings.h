#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/disk/data_folder.h"

// VERADIV.ENV: closing day, carry-over category and description, budgets and
// summary flags, one line each, grown step by step on the first run.
namespace hanaki {

inline constexpr std::string_view kSettingsFileName = "VERADIV.ENV";

// How far the file goes.
enum class SettingsForm {
    Missing,         // no file
    ClosingDayOnly,  // line 1
    WithCarryOver,   // lines 1 and 2
    WithBudgets,     // lines 1 to 3
    Full,            // all four lines
};

struct Settings {
    std::int16_t closingDay = 31;
    std::int16_t carryOverCategory = 0;
    std::int16_t carryOverDescription = 0;
    // Index 0 unused. Digits, "" for none, or the text the file held where it
    // is no number, so that a save keeps it.
    std::array<std::string, 21> budgets;
    // Index 0 unused; 0 = left out of summaries, 1 = included, 2 = the greyed
    // third state of its check box (included); other numbers are kept as read.
    std::array<std::int16_t, 21> summaryFlags{};

    Settings();
    // The budget as plain whole-yen digits, the form the budget editor writes
    // ("+500" is 500); nullopt for any other text, which the editor shows and
    // keeps as it stands. What a budget means on screen is ReadBudget's.
    std::optional<long long> BudgetValue(int category) const;
};

struct SettingsReading {
    SettingsForm form = SettingsForm::Missing;
    // The closing day field was not 1 … 28 or 31 (or the file was empty);
    // closing day 31 was used.
    bool closingDayInvalid = false;
};

SettingsReading ParseSettingsFile(std::string_view bytes, Settings& settings);
IoResult LoadSettings(const DataFolder& folder, Settings& settings, SettingsReading& reading);

bool IsValidClosingDay(int day);

// First run: line 1 only, " 25 " and CR LF.
IoResult WriteClosingDay(const DataFolder& folder, int closingDay);

// The rewriters keep line 1 as it stands when it holds a usable closing day,
// and write `closingDay` (the one in use) in its place otherwise.

// Replaces line 2 (adding it to a one-line file), keeping the other lines.
IoResult WriteCarryOver(const DataFolder& folder, int closingDay, int category, int description);
// Rewrites the file as four lines from its first three fields and the closing
// day, budgets and summary flags of `settings`.
IoResult WriteBudgets(const DataFolder& folder, const Settings& settings);
// What WriteBudgets would not write back of the file as it stands: a closing
// day that cannot be used, summary flags that are no number, values after the
// twentieth flag. One UTF-8 line each, to be named before the save.
std::vector<std::string> LostByBudgetRewrite(std::string_view bytes);
IoResult FindLostByBudgetRewrite(const DataFolder& folder, std::vector<std::string>& lost);

}  // namespace hanaki

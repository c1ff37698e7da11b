#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/data_folder.h"

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
    std::array<std::string, 21> budgets;          // index 0 unused; "" or digits
    std::array<std::int16_t, 21> summaryFlags{};  // index 0 unused; 1 = included

    Settings();
    // The budget of a category as a number; 0 when there is none.
    long long BudgetOf(int category) const;
};

struct SettingsReading {
    SettingsForm form = SettingsForm::Missing;
    // The closing day field was not 1 … 28 or 31; closing day 31 was used.
    bool closingDayInvalid = false;
};

SettingsReading ParseSettingsFile(std::string_view bytes, Settings& settings);
IoResult LoadSettings(const DataFolder& folder, Settings& settings, SettingsReading& reading);

bool IsValidClosingDay(int day);

// First run: line 1 only, " 25 " and CR LF.
IoResult WriteClosingDay(const DataFolder& folder, int closingDay);
// Replaces line 2 (adding it to a one-line file), keeping the other lines.
IoResult WriteCarryOver(const DataFolder& folder, int category, int description);
// Rewrites the file as four lines from its first three fields and the budgets
// and summary flags of `settings`.
IoResult WriteBudgets(const DataFolder& folder, const Settings& settings);

}  // namespace hanaki

#include "data/settings.h"

#include "data/calendar.h"
#include "data/fixed_field.h"
#include "data/text_lines.h"

namespace hanaki {
namespace {

constexpr int kMaxSettingsLines = 10;

std::int16_t FieldValue(const std::vector<ListField>& fields, std::size_t index) {
    if (index >= fields.size())
        return 0;
    std::optional<long long> value = ParseInteger(fields[index].text);
    return value && *value >= -32768 && *value <= 32767 ? static_cast<std::int16_t>(*value) : 0;
}

// Line 1 goes back as it stood, so a file saved unchanged keeps its bytes;
// anything after a comma on it is dropped, since the next reading would take
// it for the carry-over and shift every later field.
std::string ClosingDayLine(const std::string& line) {
    return line.substr(0, line.find(','));
}

std::string JoinFields(const std::array<std::string, 21>& values) {
    std::string out;
    for (int i = 1; i <= 20; ++i) {
        if (i > 1)
            out += ',';
        out += values[i];
    }
    return out;
}

}  // namespace

Settings::Settings() {
    summaryFlags.fill(1);
}

long long Settings::BudgetOf(int category) const {
    std::optional<long long> value = ParseInteger(budgets[category]);
    return value ? *value : 0;
}

bool IsValidClosingDay(int day) {
    return (day >= 1 && day <= 28) || day == 31;
}

SettingsReading ParseSettingsFile(std::string_view bytes, Settings& settings) {
    SettingsReading reading;
    std::vector<ListField> fields = ReadListFields(bytes);
    if (fields.empty())
        return reading;

    std::int16_t closingDay = FieldValue(fields, 0);
    reading.closingDayInvalid = !IsValidClosingDay(closingDay);
    settings.closingDay = reading.closingDayInvalid ? kMonthEnd : closingDay;
    settings.summaryFlags.fill(1);
    reading.form = SettingsForm::ClosingDayOnly;
    if (fields.size() < 2)
        return reading;

    settings.carryOverCategory = FieldValue(fields, 1);
    settings.carryOverDescription = FieldValue(fields, 2);
    reading.form = SettingsForm::WithCarryOver;
    if (fields.size() <= 3)
        return reading;

    for (int i = 1; i <= 20; ++i) {
        std::size_t index = 2 + i;
        std::string text = index < fields.size() ? std::string(TrimBlanks(fields[index].text)) : "";
        settings.budgets[i] = ParseInteger(text) ? text : "";
    }
    reading.form = SettingsForm::WithBudgets;
    if (fields.size() <= 23)
        return reading;

    for (int i = 1; i <= 20; ++i) {
        std::size_t index = 22 + i;
        std::optional<long long> flag =
            index < fields.size() ? ParseInteger(fields[index].text) : std::nullopt;
        settings.summaryFlags[i] = flag && *flag == 0 ? 0 : 1;
    }
    reading.form = SettingsForm::Full;
    return reading;
}

IoResult LoadSettings(const DataFolder& folder, Settings& settings, SettingsReading& reading) {
    std::string bytes;
    IoResult result = folder.Read(kSettingsFileName, bytes);
    if (!result.ok())
        return result;
    reading = ParseSettingsFile(bytes, settings);
    return result;
}

IoResult WriteClosingDay(const DataFolder& folder, int closingDay) {
    // The form of a printed number: a blank on each side.
    std::string line = " ";
    line += std::to_string(closingDay);
    line += " \r\n";
    return folder.Replace(kSettingsFileName, line);
}

IoResult WriteCarryOver(const DataFolder& folder, int category, int description) {
    std::string bytes;
    IoResult read = folder.Read(kSettingsFileName, bytes);
    if (!read.ok())
        return read;
    std::vector<std::string> lines = SplitLines(bytes);
    if (lines.size() > kMaxSettingsLines)
        lines.resize(kMaxSettingsLines);
    if (lines.empty())
        lines.emplace_back();
    if (lines.size() < 2)
        lines.resize(2);
    lines[0] = ClosingDayLine(lines[0]);
    lines[1] = std::to_string(category) + "," + std::to_string(description);
    return folder.Replace(kSettingsFileName, JoinLinesCrLf(lines));
}

IoResult WriteBudgets(const DataFolder& folder, const Settings& settings) {
    std::string bytes;
    IoResult read = folder.Read(kSettingsFileName, bytes);
    if (!read.ok())
        return read;
    std::vector<ListField> fields = ReadListFields(bytes);
    auto field = [&](std::size_t i) {
        return i < fields.size() ? std::string(TrimBlanks(fields[i].text)) : std::string("0");
    };
    std::vector<std::string> oldLines = SplitLines(bytes);
    std::string closingDayLine = oldLines.empty() ? field(0) : ClosingDayLine(oldLines[0]);

    std::array<std::string, 21> flags;
    for (int i = 1; i <= 20; ++i)
        flags[i] = std::to_string(settings.summaryFlags[i]);
    std::vector<std::string> lines{closingDayLine, field(1) + "," + field(2),
                                   JoinFields(settings.budgets), JoinFields(flags)};
    return folder.Replace(kSettingsFileName, JoinLinesCrLf(lines));
}

}  // namespace hanaki

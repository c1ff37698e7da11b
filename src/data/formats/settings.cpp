#include "data/formats/settings.h"

#include "data/disk/text_lines.h"
#include "data/formats/calendar.h"
#include "data/formats/cp932.h"
#include "data/formats/fixed_field.h"

namespace hanaki {
namespace {

constexpr std::size_t kFirstBudgetField = 3;
constexpr std::size_t kFirstFlagField = 23;
constexpr std::size_t kFieldsRead = 43;

std::optional<long long> FieldNumber(const std::vector<ListField>& fields, std::size_t index) {
    if (index >= fields.size())
        return std::nullopt;
    return ParseInteger(TrimListBlanks(fields[index].text));
}

// The field as a stored 16-bit number; `fallback` when it is missing or is not one.
std::int16_t FieldValue(const std::vector<ListField>& fields, std::size_t index,
                        std::int16_t fallback = 0) {
    std::optional<long long> value = FieldNumber(fields, index);
    return value && *value >= -32768 && *value <= 32767 ? static_cast<std::int16_t>(*value)
                                                        : fallback;
}

bool IsClosingDayLine(std::string_view line) {
    std::optional<long long> day = ParseInteger(TrimListBlanks(line.substr(0, line.find(','))));
    return day && IsValidClosingDay(static_cast<int>(*day));
}

// The form of a printed number: a blank on each side.
std::string PrintedNumber(int value) {
    return " " + std::to_string(value) + " ";
}

// Line 1 goes back as it stood, so a file saved unchanged keeps its bytes;
// anything after a comma on it is dropped, since the next reading would take
// it for the carry-over and shift every later field. A line without a usable
// closing day gets the one in use.
std::string ClosingDayLine(const std::vector<std::string>& lines, int closingDay) {
    if (lines.empty() || !IsClosingDayLine(lines[0]))
        return PrintedNumber(closingDay);
    return lines[0].substr(0, lines[0].find(','));
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

std::string Quoted(std::string_view cp932) {
    return "「" + Cp932ToUtf8(cp932) + "」";
}

}  // namespace

Settings::Settings() {
    summaryFlags.fill(1);
}

std::optional<long long> Settings::BudgetValue(int category) const {
    std::string_view text = TrimListBlanks(budgets[category]);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    return ParseInteger(text);
}

bool IsValidClosingDay(int day) {
    return (day >= 1 && day <= 28) || day == 31;
}

SettingsReading ParseSettingsFile(std::string_view bytes, Settings& settings) {
    SettingsReading reading;
    std::vector<ListField> fields = ReadListFields(bytes);
    if (bytes.empty())
        fields.emplace_back();  // an empty file: a first line without a closing day

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
    if (fields.size() <= kFirstBudgetField)
        return reading;

    // Budgets are kept as written, numbers or not: a save must not erase them.
    for (int i = 1; i <= 20; ++i) {
        std::size_t index = kFirstBudgetField + i - 1;
        settings.budgets[i] =
            index < fields.size() ? std::string(TrimListBlanks(fields[index].text)) : "";
    }
    reading.form = SettingsForm::WithBudgets;
    if (fields.size() <= kFirstFlagField)
        return reading;

    for (int i = 1; i <= 20; ++i)
        settings.summaryFlags[i] = FieldValue(fields, kFirstFlagField + i - 1, 1);
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
    return folder.Replace(kSettingsFileName, PrintedNumber(closingDay) + "\r\n",
                          {ChangeKind::Settings, "締め日の設定"});
}

IoResult WriteCarryOver(const DataFolder& folder, int closingDay, int category, int description) {
    std::string bytes;
    IoResult read = folder.Read(kSettingsFileName, bytes);
    if (!read.ok())
        return read;
    // Every line stays, however many there are: what this program does not
    // read may matter to the user.
    std::vector<std::string> lines = SplitLines(bytes);
    const std::string closingDayLine = ClosingDayLine(lines, closingDay);
    if (lines.size() < 2)
        lines.resize(2);
    lines[0] = closingDayLine;
    lines[1] = std::to_string(category) + "," + std::to_string(description);
    return folder.Replace(kSettingsFileName, JoinLinesCrLf(lines),
                          {ChangeKind::CarryOver, "自動繰越の設定"});
}

IoResult WriteBudgets(const DataFolder& folder, const Settings& settings) {
    std::string bytes;
    IoResult read = folder.Read(kSettingsFileName, bytes);
    if (!read.ok())
        return read;
    std::vector<ListField> fields = ReadListFields(bytes);
    auto field = [&](std::size_t i) {
        return i < fields.size() ? std::string(TrimListBlanks(fields[i].text)) : std::string("0");
    };
    std::array<std::string, 21> flags;
    for (int i = 1; i <= 20; ++i)
        flags[i] = std::to_string(settings.summaryFlags[i]);
    std::vector<std::string> lines{ClosingDayLine(SplitLines(bytes), settings.closingDay),
                                   field(1) + "," + field(2), JoinFields(settings.budgets),
                                   JoinFields(flags)};
    return folder.Replace(kSettingsFileName, JoinLinesCrLf(lines),
                          {ChangeKind::Settings, "予算・集計の設定"});
}

std::vector<std::string> LostByBudgetRewrite(std::string_view bytes) {
    std::vector<std::string> lost;
    std::vector<std::string> lines = SplitLines(bytes);
    if (!lines.empty() && !IsClosingDayLine(lines[0]))
        lost.push_back("締め日" + Quoted(lines[0]));
    std::vector<ListField> fields = ReadListFields(bytes);
    for (std::size_t index = kFirstFlagField; index < fields.size(); ++index) {
        const std::string_view text = TrimListBlanks(fields[index].text);
        if (index >= kFieldsRead) {
            if (!text.empty())
                lost.push_back("余分な値" + Quoted(text) + "(" +
                               std::to_string(fields[index].line + 1) + "行目)");
        } else if (!text.empty() && !ParseInteger(text)) {
            lost.push_back("費目" + std::to_string(index - kFirstFlagField + 1) + "の集計フラグ" +
                           Quoted(text));
        }
    }
    return lost;
}

IoResult FindLostByBudgetRewrite(const DataFolder& folder, std::vector<std::string>& lost) {
    std::string bytes;
    IoResult read = folder.Read(kSettingsFileName, bytes);
    if (read.ok())
        lost = LostByBudgetRewrite(bytes);
    return read;
}

}  // namespace hanaki

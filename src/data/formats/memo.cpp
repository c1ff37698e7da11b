#include "data/formats/memo.h"

#include <cerrno>

#include "data/formats/calendar.h"
#include "data/formats/fixed_field.h"

namespace hanaki {
namespace {

constexpr std::size_t kDayBytes = 2;
constexpr std::size_t kBlockBytes = kDayBytes + kMemoLineBytes;

int CalendarDayOf(int closingDay, int year, int month, int accountingDay) {
    if (closingDay == kMonthEnd)
        return accountingDay;
    std::string key = TwoDigits(year % 100) + TwoDigits(month) + TwoDigits(accountingDay);
    return std::stoi(AccountingToCalendar(closingDay, key).substr(4, 2));
}

// The accounting day a calendar day of a memo file belongs to (0 when unusable).
int AccountingDayOf(int closingDay, int year, int month, int calendarDay) {
    if (calendarDay < 1 || calendarDay > 31)
        return 0;
    if (closingDay == kMonthEnd)
        return calendarDay;
    std::string key = TwoDigits(year % 100) + TwoDigits(month) + TwoDigits(calendarDay);
    int accountingDay = std::stoi(CalendarToAccounting(closingDay, key).substr(4, 2));
    // A day the calendar lacks (30 February) lands on the slot of another
    // day; such a record is kept as it stands instead.
    return CalendarDayOf(closingDay, year, month, accountingDay) == calendarDay ? accountingDay : 0;
}

}  // namespace

std::string EncodeMemoRecord(const MemoRecord& record) {
    std::string bytes;
    bytes.reserve(kMemoRecordBytes);
    for (int i = 0; i < 3; ++i) {
        bytes += FitField(record.dayFields[i], kDayBytes);
        bytes += FitField(record.lines[i], kMemoLineBytes);
    }
    return bytes;
}

MemoRecord DecodeMemoRecord(std::string_view bytes) {
    std::string padded(bytes.substr(0, kMemoRecordBytes));
    padded.resize(kMemoRecordBytes, ' ');
    MemoRecord record;
    for (std::size_t i = 0; i < 3; ++i) {
        record.dayFields[i] = padded.substr(i * kBlockBytes, kDayBytes);
        record.lines[i] = padded.substr(i * kBlockBytes + kDayBytes, kMemoLineBytes);
    }
    return record;
}

bool MemoMonth::InUse(int day) const {
    std::optional<long long> value = ParseInteger(days[day].dayFields[0]);
    return value && *value == day;
}

void MemoMonth::SetLines(int day, const std::array<std::string, 3>& lines) {
    bool empty = lines[0].empty() && lines[1].empty() && lines[2].empty();
    MemoRecord& slot = days[day];
    for (int i = 0; i < 3; ++i) {
        slot.dayFields[i] = empty ? "" : RightAlignedTwo(day);
        slot.lines[i] = empty ? "" : FitField(lines[i], kMemoLineBytes);
    }
}

std::array<std::string, 3> MemoMonth::LinesOf(int day) const {
    if (!InUse(day))
        return {};
    return {TrimRight(days[day].lines[0]), TrimRight(days[day].lines[1]),
            TrimRight(days[day].lines[2])};
}

std::string MemoFileName(int year, int month) {
    return std::to_string(year + 1900) + TwoDigits(month) + ".MEM";
}

void ParseMemoFile(std::string_view bytes, int closingDay, int year, int month, MemoMonth& memo) {
    memo = MemoMonth{};
    for (std::size_t offset = 0; offset < bytes.size(); offset += kMemoRecordBytes) {
        std::string_view chunk = bytes.substr(offset, kMemoRecordBytes);
        MemoRecord record = DecodeMemoRecord(chunk);
        std::optional<long long> day = ParseInteger(record.dayFields[0]);
        int slot = chunk.size() == kMemoRecordBytes && day
                       ? AccountingDayOf(closingDay, year, month, static_cast<int>(*day))
                       : 0;
        if (slot == 0 || memo.InUse(slot)) {
            memo.unplaced.emplace_back(chunk);
            continue;
        }
        for (int i = 0; i < 3; ++i)
            record.dayFields[i] = RightAlignedTwo(slot);
        memo.days[slot] = record;
    }
}

std::string SerializeMemo(int closingDay, int year, int month, const MemoMonth& memo) {
    std::string bytes;
    for (int day = 1; day <= 31; ++day) {
        if (!memo.InUse(day))
            continue;
        MemoRecord record = memo.days[day];
        std::string calendarDay = RightAlignedTwo(CalendarDayOf(closingDay, year, month, day));
        for (int i = 0; i < 3; ++i)
            record.dayFields[i] = calendarDay;
        bytes += EncodeMemoRecord(record);
    }
    for (const std::string& raw : memo.unplaced)
        bytes += raw;
    return bytes;
}

IoResult LoadMemo(const DataFolder& folder, int closingDay, int year, int month, MemoMonth& memo) {
    std::string bytes;
    IoResult result = folder.Read(MemoFileName(year, month), bytes);
    if (!result.ok() && result.error->code != ENOENT)
        return result;
    ParseMemoFile(bytes, closingDay, year, month, memo);
    return IoResult::Ok();
}

IoResult SaveMemo(const DataFolder& folder, int closingDay, int year, int month,
                  const MemoMonth& memo, const ChangeNote& note) {
    return folder.Replace(MemoFileName(year, month), SerializeMemo(closingDay, year, month, memo),
                          note);
}

}  // namespace hanaki

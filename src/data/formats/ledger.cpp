#include "data/formats/ledger.h"

#include <cerrno>
#include <cstdlib>

#include "data/formats/fixed_field.h"

namespace hanaki {
namespace {

constexpr std::size_t kWidths[] = {6, 2, 12, 2, 12, 10, 60};

bool IsValidDateKey(std::string_view key) {
    if (key.size() != 6)
        return false;
    for (char c : key) {
        if (c < '0' || c > '9')
            return false;
    }
    int year = (key[0] - '0') * 10 + (key[1] - '0');
    int month = (key[2] - '0') * 10 + (key[3] - '0');
    int day = (key[4] - '0') * 10 + (key[5] - '0');
    // A day the calendar lacks (30 February) would come back from its
    // accounting date as another day; such a record is kept as it stands.
    return month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInAccountingMonth(kMonthEnd, year, month);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<int> SmallNumber(std::string_view text) {
    // "01" … "20" as this program writes them; any other form by the general rule.
    std::optional<long long> value = text.size() == 2 && IsDigit(text[0]) && IsDigit(text[1])
                                         ? (text[0] - '0') * 10 + (text[1] - '0')
                                         : ParseInteger(text);
    if (!value || *value < 0 || *value > 20)
        return std::nullopt;
    return static_cast<int>(*value);
}

// The amount's digits, left-aligned and padded with blanks as this program
// writes them, read in one pass; any other form by the general rule.
std::optional<long long> AmountDigits(std::string_view field) {
    long long value = 0;
    std::size_t i = 0;
    for (; i < field.size() && IsDigit(field[i]); ++i)
        value = value * 10 + (field[i] - '0');
    if (i == 0 || field.find_first_not_of(' ', i) != std::string_view::npos)
        return ParseInteger(field);
    return value;
}

// Where the fields lie in a record (see kWidths).
constexpr std::size_t kCategoryAt = 6;
constexpr std::size_t kDescriptionAt = 20;
constexpr std::size_t kAmountDigitsAt = 35;  // after the amount's sign character
constexpr std::size_t kAmountDigits = 9;

}  // namespace

std::size_t LedgerRecordCount(std::size_t fileBytes) {
    return (fileBytes + kLedgerRecordBytes - 1) / kLedgerRecordBytes;
}

std::string EncodeLedgerRecord(const LedgerRecord& record) {
    const std::string* fields[] = {&record.date,
                                   &record.categoryNumber,
                                   &record.categoryName,
                                   &record.descriptionNumber,
                                   &record.descriptionName,
                                   &record.amount,
                                   &record.remark};
    std::string bytes;
    bytes.reserve(kLedgerRecordBytes);
    for (std::size_t i = 0; i < 7; ++i)
        bytes += FitField(*fields[i], kWidths[i]);
    return bytes;
}

LedgerRecord DecodeLedgerRecord(std::string_view bytes) {
    std::string padded(bytes.substr(0, kLedgerRecordBytes));
    padded.resize(kLedgerRecordBytes, ' ');
    LedgerRecord record;
    std::string* fields[] = {&record.date,
                             &record.categoryNumber,
                             &record.categoryName,
                             &record.descriptionNumber,
                             &record.descriptionName,
                             &record.amount,
                             &record.remark};
    std::size_t offset = 0;
    for (std::size_t i = 0; i < 7; ++i) {
        *fields[i] = padded.substr(offset, kWidths[i]);
        offset += kWidths[i];
    }
    return record;
}

std::optional<ItemNumbers> ReadItemNumbers(const LedgerRecord& record) {
    std::optional<int> category = SmallNumber(record.categoryNumber);
    std::optional<int> description = SmallNumber(record.descriptionNumber);
    std::optional<long long> amount = record.amount.empty()
                                          ? std::nullopt
                                          : ParseInteger(std::string_view(record.amount).substr(1));
    if (!category || !description || !amount)
        return std::nullopt;
    return ItemNumbers{*category, *description, *amount};
}

bool HasLedgerDate(std::string_view raw) {
    return raw.size() == kLedgerRecordBytes && IsValidDateKey(raw.substr(0, 6));
}

std::optional<ItemNumbers> ReadLedgerRecord(std::string_view raw) {
    if (!HasLedgerDate(raw))
        return std::nullopt;
    std::optional<int> category = SmallNumber(raw.substr(kCategoryAt, 2));
    std::optional<int> description = SmallNumber(raw.substr(kDescriptionAt, 2));
    std::optional<long long> amount = AmountDigits(raw.substr(kAmountDigitsAt, kAmountDigits));
    if (!category || *category < 1 || !description || !amount)
        return std::nullopt;
    return ItemNumbers{*category, *description, *amount};
}

std::string UnreadableRecordsNote(int count) {
    return "読み取れない記録が " + std::to_string(count) +
           " 件あります。これらの記録は表示・集計・印刷・書き出しに含めず、"
           "ファイルにはそのまま残します。";
}

std::string LedgerFileName(int year, int month) {
    return std::to_string(year + 1900) + TwoDigits(month) + ".DAT";
}

int MonthLedger::LastSlot() const {
    int last = 0;
    WalkChain(*this, [&](int slot, const LedgerSlot&) { last = slot; });
    return last;
}

IoResult LoadMonthLedger(const DataFolder& folder, int closingDay, int year, int month,
                         MonthLedger& ledger) {
    std::string bytes;
    IoResult result = folder.Read(LedgerFileName(year, month), bytes);
    if (!result.ok() && result.error->code != ENOENT)
        return result;

    MonthLedger loaded;
    loaded.onDisk = bytes;
    std::size_t count = LedgerRecordCount(bytes.size());
    if (count + 1 > loaded.entries.size())
        loaded.entries.resize(count + 1);
    for (std::size_t i = 1; i <= count; ++i) {
        std::string_view chunk =
            std::string_view(bytes).substr((i - 1) * kLedgerRecordBytes, kLedgerRecordBytes);
        LedgerSlot& slot = loaded.entries[i];
        slot.record = DecodeLedgerRecord(chunk);
        if (ReadLedgerRecord(chunk)) {
            slot.record.date = CalendarToAccounting(closingDay, slot.record.date);
        } else {
            slot.unreadable = true;
            slot.raw = std::string(chunk);
            ++loaded.unreadableRecords;
        }
        slot.next = i < count ? i + 1 : 0;
    }
    loaded.head = count > 0 ? 1 : 0;
    loaded.nextFree = static_cast<int>(count) + 1;
    ledger = std::move(loaded);
    return IoResult::Ok();
}

std::string SerializeMonthLedger(int closingDay, const MonthLedger& ledger) {
    std::string bytes;
    // A short piece at the end of a damaged file stays at the end, so that
    // every whole record keeps its 104-byte alignment.
    std::string shortPieces;
    WalkChain(ledger, [&](int, const LedgerSlot& item) {
        if (!item.unreadable) {
            LedgerRecord record = item.record;
            record.date = AccountingToCalendar(closingDay, record.date);
            bytes += EncodeLedgerRecord(record);
        } else if (item.raw.size() == kLedgerRecordBytes) {
            bytes += item.raw;
        } else {
            shortPieces += item.raw;
        }
    });
    return bytes + shortPieces;
}

IoResult SaveMonthLedger(const DataFolder& folder, int closingDay, int year, int month,
                         MonthLedger& ledger, const ChangeNote& note) {
    std::string name = LedgerFileName(year, month);
    std::string now;
    IoResult read = folder.Read(name, now);
    if (!read.ok() && read.error->code != ENOENT)
        return read;
    if (now != ledger.onDisk)
        return IoResult::Refuse(IoStep::Create, IoRefusal::ChangedOnDisk, 0, folder.PathOf(name));
    std::string bytes = ledger.head == 0 ? std::string() : SerializeMonthLedger(closingDay, ledger);
    IoResult saved =
        ledger.head == 0 ? folder.Remove(name, note) : folder.Replace(name, bytes, note);
    // Past the rename, the file holds the new bytes even when its folder sync failed.
    if (saved.ok() || saved.error->step == IoStep::SyncFolder)
        ledger.onDisk = std::move(bytes);
    return saved;
}

DayItems CollectDay(const MonthLedger& ledger, const std::string& dateKey) {
    DayItems day;
    WalkChain(ledger, [&](int slot, const LedgerSlot& item) {
        if (!item.unreadable) {
            if (item.record.date > dateKey)
                return false;
            if (item.record.date == dateKey)
                day.items.push_back(slot);
        }
        day.insertionPoint = slot;
        return true;
    });
    return day;
}

int AppendItem(MonthLedger& ledger, int after, const LedgerRecord& record) {
    if (ledger.IsFull())
        return 0;
    const int slot = ledger.nextFree++;
    ReplaceItem(ledger, slot, record);
    LedgerSlot& added = ledger.entries[slot];
    if (after != 0) {
        added.next = ledger.entries[after].next;
        ledger.entries[after].next = slot;
    } else {
        added.next = ledger.head;
        ledger.head = slot;
    }
    return slot;
}

void ReplaceItem(MonthLedger& ledger, int slot, const LedgerRecord& record) {
    LedgerSlot& target = ledger.entries[slot];
    target.record = record;
    target.unreadable = false;
    target.raw.clear();
}

void UnlinkItem(MonthLedger& ledger, int slot) {
    if (ledger.head == slot) {
        ledger.head = ledger.entries[slot].next;
        return;
    }
    WalkChain(ledger, [&](int previous, const LedgerSlot& item) {
        if (item.next != slot)
            return true;
        ledger.entries[previous].next = ledger.entries[slot].next;
        return false;
    });
}

std::optional<CivilDate> LastEntryDate(const MonthLedger& ledger, int closingDay) {
    int last = 0;
    WalkChain(ledger, [&](int slot, const LedgerSlot& item) {
        if (!item.unreadable)
            last = slot;
    });
    if (last == 0)
        return std::nullopt;
    return CalendarDateOfKey(closingDay, ledger.entries[last].record.date);
}

bool IsLinkedItem(const MonthLedger& ledger, int slot) {
    if (slot <= 0 || slot >= static_cast<int>(ledger.entries.size()) ||
        ledger.entries[slot].unreadable)
        return false;
    bool linked = false;
    WalkChain(ledger, [&](int s, const LedgerSlot&) { return !(linked = s == slot); });
    return linked;
}

bool HoldsItem(const MonthLedger& ledger, int slot, const LedgerRecord& record) {
    return IsLinkedItem(ledger, slot) && ledger.entries[slot].record == record;
}

int LocateItem(const MonthLedger& ledger, int slot, const LedgerRecord& record) {
    if (HoldsItem(ledger, slot, record))
        return slot;
    int nearest = 0;
    WalkChain(ledger, [&](int s, const LedgerSlot& item) {
        if (!item.unreadable && item.record == record &&
            (nearest == 0 || std::abs(s - slot) < std::abs(nearest - slot)))
            nearest = s;
    });
    return nearest;
}

}  // namespace hanaki

#include "data/book/due_entry.h"

#include <map>
#include <set>
#include <utility>

#include "data/formats/fixed_field.h"

namespace hanaki {
namespace {

std::optional<DueRefusal> Refusal(const CategoryTable& categories, const FixedItem& item,
                                  const DueOccurrence& occurrence,
                                  const std::optional<long long>& amount) {
    if (!occurrence.inLedgerYears)
        return DueRefusal::OutsideYears;
    if (categories.names[item.category].empty() ||
        categories.descriptions[item.category][item.description].empty())
        return DueRefusal::DeletedCategory;
    if (!amount || *amount < 1 || *amount > kFixedAmountLimit)
        return DueRefusal::NoAmount;
    return std::nullopt;
}

// A slot of the day that already holds `record` and was not matched yet: an
// occurrence entered by a run that stopped before it could mark it.
int EnteredSlot(const MonthLedger& ledger, const DayItems& day, const LedgerRecord& record,
                std::set<int>& matched) {
    // As the file holds them: a record read back has its fields padded.
    const std::string bytes = EncodeLedgerRecord(record);
    for (int slot : day.items)
        if (!matched.contains(slot) && IsLinkedItem(ledger, slot) &&
            EncodeLedgerRecord(ledger.entries[slot].record) == bytes) {
            matched.insert(slot);
            return slot;
        }
    return 0;
}

}  // namespace

LedgerRecord DueRecord(const CategoryTable& categories, const FixedItem& item,
                       const DueOccurrence& occurrence, long long amount) {
    LedgerRecord record;
    record.date = TwoDigits(occurrence.accounting.year % 100) +
                  TwoDigits(occurrence.accounting.month) + TwoDigits(occurrence.accountingDay);
    record.categoryNumber = TwoDigits(item.category);
    record.categoryName = categories.names[item.category];
    record.descriptionNumber = TwoDigits(item.description);
    record.descriptionName = categories.descriptions[item.category][item.description];
    record.amount = (categories.IsExpense(item.category) ? "-" : "+") + std::to_string(amount);
    record.remark = item.remark;
    return record;
}

DueEntry EnterDueItems(const DataFolder& folder, const CategoryTable& categories, int closingDay,
                       const CivilDate& today, const std::vector<DueChoice>& choices) {
    DueEntry entry;
    FixedItems items;
    entry.io = LoadFixedItems(folder, items);
    if (!entry.io.ok())
        return entry;
    std::map<std::pair<int, int>, const DueChoice*> chosen;
    for (const DueChoice& choice : choices)
        chosen[{choice.line, choice.month}] = &choice;

    // The outcomes to enter, by the accounting month they go into.
    std::map<std::pair<int, int>, std::vector<std::size_t>> months;
    std::vector<LedgerRecord> records;
    for (const DueOccurrence& occurrence : DueOccurrences(items, closingDay, today)) {
        auto found = chosen.find({occurrence.line, occurrence.month});
        if (found == chosen.end())
            continue;
        const DueChoice& choice = *found->second;
        const FixedItem& item = *items.lines[occurrence.line].item;
        DueOutcome outcome{occurrence};
        outcome.skipped = choice.skip;
        const std::optional<long long> amount = item.amount ? item.amount : choice.amount;
        if (!choice.skip) {
            if (std::optional<DueRefusal> refusal = Refusal(categories, item, occurrence, amount)) {
                outcome.refusal = *refusal;
            } else {
                months[{occurrence.accounting.year, occurrence.accounting.month}].push_back(
                    entry.outcomes.size());
            }
        }
        records.push_back(outcome.refusal == DueRefusal::None && !choice.skip
                              ? DueRecord(categories, item, occurrence, *amount)
                              : LedgerRecord{});
        entry.outcomes.push_back(outcome);
    }

    ChangeGroupScope group(folder);
    std::vector<bool> entered(entry.outcomes.size(), false);
    for (const auto& [month, indexes] : months) {
        MonthLedger ledger;
        IoResult io = LoadMonthLedger(folder, closingDay, month.first, month.second, ledger);
        if (!io.ok()) {
            entry.io = io;
            break;
        }
        std::set<int> matched;
        int added = 0;
        for (std::size_t index : indexes) {
            const DayItems day = CollectDay(ledger, records[index].date);
            if (EnteredSlot(ledger, day, records[index], matched) != 0) {
                entry.outcomes[index].alreadyEntered = true;
                entered[index] = true;
            } else if (ledger.IsFull()) {
                entry.outcomes[index].refusal = DueRefusal::MonthFull;
            } else {
                matched.insert(AppendItem(ledger, day.insertionPoint, records[index]));
                entered[index] = true;
                ++added;
            }
        }
        if (added == 0)
            continue;
        io = SaveMonthLedger(folder, closingDay, month.first, month.second, ledger,
                             {ChangeKind::FixedItems, "定期項目の記入"});
        if (!io.ok() && entry.io.ok())
            entry.io = io;  // a failed folder sync still leaves the items in the file
        if (!io.ok() && io.error->step != IoStep::SyncFolder) {
            for (std::size_t index : indexes)
                entered[index] = entered[index] && entry.outcomes[index].alreadyEntered;
            break;
        }
    }

    bool marked = false;
    for (std::size_t i = 0; i < entry.outcomes.size(); ++i) {
        entry.outcomes[i].entered = entered[i];
        if (!entered[i] && !entry.outcomes[i].skipped)
            continue;
        const DueOccurrence& occurrence = entry.outcomes[i].occurrence;
        MarkHandled(*items.lines[occurrence.line].item, occurrence.month);
        marked = true;
    }
    if (marked) {
        IoResult saved = SaveFixedItems(folder, items, {ChangeKind::FixedItems, "定期項目の記入"});
        if (entry.io.ok())
            entry.io = saved;
    }
    return entry;
}

}  // namespace hanaki

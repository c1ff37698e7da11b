#include "data/book/statement_import.h"

#include <algorithm>
#include <map>
#include <utility>

#include "data/book/remark_memory.h"
#include "data/formats/cp932.h"
#include "data/formats/fixed_field.h"
#include "data/formats/statement_fields.h"

namespace hanaki {
namespace {

using MonthKey = std::pair<int, int>;  // year since 1900, month

MonthKey KeyOf(const AccountingMonth& month) {
    return {month.year, month.month};
}

// What the duplicate check compares: the day, the amount with its side, the remark.
std::string ItemKey(std::string_view accountingKey, bool income, long long amount,
                    std::string_view remark) {
    return std::string(accountingKey) + (income ? "+" : "-") + std::to_string(amount) + "|" +
           TrimRight(remark);
}

// How many items of each key the month holds.
std::map<std::string, int> ItemKeys(const MonthLedger& ledger) {
    std::map<std::string, int> keys;
    WalkChain(ledger, [&](int, const LedgerSlot& slot) {
        if (slot.unreadable)
            return;
        std::optional<ItemNumbers> numbers = ReadItemNumbers(slot.record);
        if (!numbers)
            return;
        ++keys[ItemKey(slot.record.date, slot.record.amount.starts_with('+'), numbers->amount,
                       slot.record.remark)];
    });
    return keys;
}

bool TakeKey(std::map<std::string, int>& keys, const std::string& key) {
    auto found = keys.find(key);
    if (found == keys.end() || found->second == 0)
        return false;
    --found->second;
    return true;
}

RowProblem ValueProblem(StatementValue value, bool date) {
    switch (value) {
        case StatementValue::Ok:
            return RowProblem::None;
        case StatementValue::Empty:
            return date ? RowProblem::BadDate : RowProblem::NoAmount;
        case StatementValue::Bad:
            return date ? RowProblem::BadDate : RowProblem::BadAmount;
        case StatementValue::OutsideYears:
            return RowProblem::DateOutsideYears;
        case StatementValue::Zero:
            return RowProblem::ZeroAmount;
        case StatementValue::TooLarge:
            return RowProblem::AmountTooLarge;
    }
    return RowProblem::BadAmount;
}

std::string_view Cell(const StatementRow& row, int column) {
    return column >= 0 && column < static_cast<int>(row.fields.size())
               ? std::string_view(row.fields[static_cast<std::size_t>(column)])
               : std::string_view();
}

int LastColumn(const StatementLayout& layout) {
    int last = std::max(
        {layout.dateColumn, layout.amountColumn, layout.incomeColumn, layout.expenseColumn});
    for (int column : layout.textColumns)
        last = std::max(last, column);
    return last;
}

bool HasDigit(std::string_view text) {
    const std::string folded = FoldFullWidth(text);
    return folded.find_first_of("0123456789") != std::string::npos;
}

// The side and the yen of a row, or the problem that hides them.
RowProblem ReadAmount(const StatementLayout& layout, const StatementRow& row, PlannedRow& planned) {
    long long amount = 0;
    if (layout.amountColumn >= 0) {
        const StatementValue value = ParseStatementAmount(Cell(row, layout.amountColumn), amount);
        if (value != StatementValue::Ok)
            return ValueProblem(value, false);
        planned.income = (amount < 0) == layout.positiveIsExpense;
    } else {
        long long in = 0, out = 0;
        StatementValue income = ParseStatementAmount(Cell(row, layout.incomeColumn), in);
        StatementValue expense = ParseStatementAmount(Cell(row, layout.expenseColumn), out);
        // Some banks write 0 in the column a row does not use.
        if (income == StatementValue::Zero && expense != StatementValue::Empty)
            income = StatementValue::Empty;
        else if (expense == StatementValue::Zero && income != StatementValue::Empty)
            expense = StatementValue::Empty;
        if (income == StatementValue::Empty && expense == StatementValue::Empty)
            return RowProblem::NoAmount;
        if (income != StatementValue::Empty && expense != StatementValue::Empty)
            return RowProblem::BadAmount;
        const StatementValue value = income != StatementValue::Empty ? income : expense;
        if (value != StatementValue::Ok)
            return ValueProblem(value, false);
        // A minus in a one-sided column turns the side: a withdrawal taken back.
        amount = income != StatementValue::Empty ? in : out;
        planned.income = (income != StatementValue::Empty) == (amount > 0);
    }
    planned.amount = amount < 0 ? -amount : amount;
    return RowProblem::None;
}

// The remarks the ledger keeps: one line each, code page 932, at most 60
// bytes. All rows go through one conversion: opening a converter per row
// would cost more than the rest of the plan.
std::vector<std::string> RemarksOf(const std::vector<PlannedRow>& rows) {
    std::string lines;
    for (const PlannedRow& row : rows) {
        for (char c : row.text)
            lines += c == '\r' || c == '\n' || c == '\t' ? ' ' : c;
        lines += '\n';
    }
    // A trail byte of code page 932 is never below 0x40: no line break inside a character.
    const std::string converted = Utf8ToCp932Lossy(lines);
    std::vector<std::string> remarks;
    remarks.reserve(rows.size());
    for (std::size_t at = 0, end; (end = converted.find('\n', at)) != std::string::npos;
         at = end + 1)
        remarks.push_back(
            CutToBytes(std::string_view(converted).substr(at, end - at), kStatementRemarkBytes));
    return remarks;
}

std::string JoinedText(const StatementLayout& layout, const StatementRow& row) {
    std::string text;
    for (int column : layout.textColumns) {
        const std::string folded(TrimBlanks(Cell(row, column)));
        if (!folded.empty())
            text += (text.empty() ? "" : " ") + folded;
    }
    return text;
}

void ReadRow(int closingDay, const StatementLayout& layout, const StatementRow& row,
             PlannedRow& planned) {
    if (LastColumn(layout) >= static_cast<int>(row.fields.size())) {
        planned.problem = RowProblem::TooFewFields;
        return;
    }
    const StatementValue date = ParseStatementDate(Cell(row, layout.dateColumn), planned.date);
    if (date != StatementValue::Ok) {
        planned.problem = ValueProblem(date, true);
        return;
    }
    if ((planned.problem = ReadAmount(layout, row, planned)) != RowProblem::None)
        return;
    const std::string calendarKey = TwoDigits(planned.date.year % 100) +
                                    TwoDigits(planned.date.month) + TwoDigits(planned.date.day);
    planned.accountingKey = CalendarToAccounting(closingDay, calendarKey);
    const int month = std::stoi(planned.accountingKey.substr(2, 2));
    planned.month = {planned.date.year - 1900 + (month < planned.date.month ? 1 : 0), month};
    if (planned.month.year > kLatestYear)
        planned.problem = RowProblem::DateOutsideYears;
}

// Each row after the items of its day, as CollectDay places one new item, in
// one walk of the chain: the rows in order of their days (the statement's
// order within a day), each walk going on from the row put in before.
void AppendAfterTheirDays(MonthLedger& ledger, const CategoryTable& categories,
                          const std::vector<PlannedRow>& rows, std::vector<std::size_t> indexes,
                          const std::vector<bool>& found) {
    std::stable_sort(indexes.begin(), indexes.end(), [&](std::size_t a, std::size_t b) {
        return rows[a].accountingKey < rows[b].accountingKey;
    });
    int after = 0;
    for (std::size_t index : indexes) {
        if (found[index])
            continue;
        const std::string& key = rows[index].accountingKey;
        for (int next = after == 0 ? ledger.head : ledger.entries[after].next; next != 0;
             next = ledger.entries[next].next) {
            const LedgerSlot& slot = ledger.entries[next];
            if (!slot.unreadable && slot.record.date > key)
                break;
            after = next;
        }
        after = AppendItem(ledger, after, StatementRecord(categories, rows[index]));
    }
}

}  // namespace

RemarkProposer ProposerFrom(RemarkMemory& memory, const CategoryTable& categories) {
    return [&memory, &categories](std::string_view remark) -> std::optional<CategoryChoice> {
        const std::optional<RemarkProposal> proposal = memory.ProposalFor(remark, categories);
        if (!proposal)
            return std::nullopt;
        return CategoryChoice{proposal->category, proposal->description};
    };
}

bool PlannedRow::Importable() const {
    return problem == RowProblem::None && choice.category > 0 && !skippedByRule && !alreadyImported;
}

bool FitsRow(const CategoryTable& categories, const PlannedRow& row, CategoryChoice choice) {
    return categories.HasCategory(choice.category) &&
           categories.HasDescription(choice.category, choice.description) &&
           categories.IsExpense(choice.category) == !row.income;
}

void ChooseCategory(const CategoryTable& categories, PlannedRow& row, CategoryChoice choice) {
    if (!FitsRow(categories, row, choice))
        return;
    row.choice = choice;
    row.source = ProposalSource::Chosen;
    row.checked = row.Importable();
}

StatementPlan PlanStatementImport(const DataFolder& folder, const CategoryTable& categories,
                                  int closingDay, const StatementTable& table,
                                  const GuessedLayout& layout, const StatementRules& rules,
                                  const RemarkProposer& proposer) {
    StatementPlan plan;
    const StatementLayout& columns = layout.layout;
    // Totals and notes below the table carry no date.
    std::size_t end = table.rows.size();
    while (end > layout.headerRow + 1 && !HasDigit(Cell(table.rows[end - 1], columns.dateColumn)))
        --end;
    for (std::size_t i = layout.headerRow + 1; i < end; ++i) {
        const StatementRow& row = table.rows[i];
        PlannedRow planned;
        planned.line = row.line;
        ReadRow(closingDay, columns, row, planned);
        planned.text = JoinedText(columns, row);
        plan.rows.push_back(std::move(planned));
    }
    const std::vector<std::string> remarks = RemarksOf(plan.rows);
    const StatementRuleMatcher matcher(rules);
    for (std::size_t i = 0; i < plan.rows.size(); ++i) {
        PlannedRow& planned = plan.rows[i];
        planned.remark = i < remarks.size() ? remarks[i] : std::string();
        if (planned.problem != RowProblem::None)
            continue;
        const StatementRule* rule =
            matcher.Match(planned.text, [&](const StatementRule& candidate) {
                return candidate.skip ||
                       FitsRow(categories, planned, {candidate.category, candidate.description});
            });
        if (rule && rule->skip) {
            planned.skippedByRule = true;
        } else if (rule) {
            planned.choice = {rule->category, rule->description};
            planned.source = ProposalSource::Rule;
        }
        if (planned.source == ProposalSource::None && !planned.skippedByRule && proposer) {
            std::optional<CategoryChoice> choice = proposer(planned.remark);
            if (choice && FitsRow(categories, planned, *choice)) {
                planned.choice = *choice;
                planned.source = ProposalSource::Memory;
            }
        }
    }

    std::map<MonthKey, std::map<std::string, int>> months;
    for (PlannedRow& row : plan.rows) {
        if (row.problem != RowProblem::None || row.skippedByRule)
            continue;
        auto [month, added] = months.try_emplace(KeyOf(row.month));
        if (added) {
            MonthLedger ledger;
            IoResult io =
                LoadMonthLedger(folder, closingDay, row.month.year, row.month.month, ledger);
            if (!io.ok()) {
                plan.io = io;
                for (PlannedRow& any : plan.rows)
                    any.checked = false;
                return plan;
            }
            month->second = ItemKeys(ledger);
        }
        row.alreadyImported =
            TakeKey(month->second, ItemKey(row.accountingKey, row.income, row.amount, row.remark));
        row.checked = row.Importable();
    }
    return plan;
}

LedgerRecord StatementRecord(const CategoryTable& categories, const PlannedRow& row) {
    LedgerRecord record;
    record.date = row.accountingKey;
    record.categoryNumber = TwoDigits(row.choice.category);
    record.categoryName = categories.names[row.choice.category];
    record.descriptionNumber = TwoDigits(row.choice.description);
    record.descriptionName = categories.descriptions[row.choice.category][row.choice.description];
    record.amount = (row.income ? "+" : "-") + std::to_string(row.amount);
    record.remark = row.remark;
    return record;
}

StatementImport ImportStatementRows(const DataFolder& folder, const CategoryTable& categories,
                                    int closingDay, const std::vector<PlannedRow>& rows,
                                    const std::string& what) {
    StatementImport result;
    result.imported.assign(rows.size(), false);
    result.found.assign(rows.size(), false);
    std::map<MonthKey, std::vector<std::size_t>> byMonth;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].checked && rows[i].Importable() && FitsRow(categories, rows[i], rows[i].choice))
            byMonth[KeyOf(rows[i].month)].push_back(i);

    struct Month {
        MonthKey key;
        MonthLedger ledger;
        std::string before;  // the file as read, empty: none
    };
    std::vector<Month> months;
    for (const auto& [key, indexes] : byMonth) {
        Month month{key, {}, {}};
        IoResult io = LoadMonthLedger(folder, closingDay, key.first, key.second, month.ledger);
        if (!io.ok()) {
            result.io = io;
            return result;
        }
        month.before = month.ledger.onDisk;
        std::map<std::string, int> keys = ItemKeys(month.ledger);
        int adding = 0;
        for (std::size_t index : indexes) {
            const PlannedRow& row = rows[index];
            result.found[index] =
                TakeKey(keys, ItemKey(row.accountingKey, row.income, row.amount, row.remark));
            adding += !result.found[index];
        }
        if (adding == 0)
            continue;
        const int count = month.ledger.nextFree - 1 + adding;
        if (count > kLedgerSlots) {
            result.fullMonth = AccountingMonth{key.first, key.second};
            result.fullMonthCount = count;
            result.found.assign(rows.size(), false);
            return result;
        }
        AppendAfterTheirDays(month.ledger, categories, rows, indexes, result.found);
        months.push_back(std::move(month));
    }

    ChangeGroupScope oneChange(folder);
    const ChangeNote note{ChangeKind::Statement, what};
    std::size_t written = 0;
    for (; written < months.size(); ++written) {
        Month& month = months[written];
        IoResult io = SaveMonthLedger(folder, closingDay, month.key.first, month.key.second,
                                      month.ledger, note);
        // A failed folder sync still leaves the items in the file.
        if (!io.ok() && result.io.ok())
            result.io = io;
        if (!io.ok() && io.error->step != IoStep::SyncFolder)
            break;
    }
    if (written < months.size()) {
        // Never half an import: the months already written get their bytes back.
        for (std::size_t i = 0; i < written; ++i) {
            const std::string name = LedgerFileName(months[i].key.first, months[i].key.second);
            if (months[i].before.empty())
                folder.Remove(name, note);
            else
                folder.Replace(name, months[i].before, note);
        }
        return result;
    }
    for (const auto& [key, indexes] : byMonth)
        for (std::size_t index : indexes)
            if (!result.found[index]) {
                result.imported[index] = true;
                ++result.importedCount;
            }
    return result;
}

std::string AccountingMonthWords(const AccountingMonth& month) {
    return std::to_string(month.year + 1900) + "年" + std::to_string(month.month) + "月度";
}

std::string DescribeRowProblem(RowProblem problem) {
    switch (problem) {
        case RowProblem::TooFewFields:
            return "列が足りないため、取り込めません";
        case RowProblem::BadDate:
            return "日付が読めないため、取り込めません";
        case RowProblem::DateOutsideYears:
            return "日付が1950年から2049年の月度にないため、取り込めません";
        case RowProblem::NoAmount:
            return "金額がないため、取り込めません";
        case RowProblem::BadAmount:
            return "金額が読めないため、取り込めません";
        case RowProblem::ZeroAmount:
            return "金額が0のため、取り込めません";
        case RowProblem::AmountTooLarge:
            return "金額が9桁を超えるため、取り込めません";
        case RowProblem::None:
            break;
    }
    return {};
}

}  // namespace hanaki

#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/disk/data_folder.h"
#include "data/formats/calendar.h"
#include "data/formats/category_table.h"
#include "data/formats/ledger.h"
#include "data/formats/statement_layouts.h"
#include "data/formats/statement_rules.h"
#include "data/formats/statement_table.h"

// A statement's rows as items of the ledgers: the plan the preview shows (the
// accounting month of each row, its remark, its category from the rules or
// from the household's past items, whether it already stands in its month),
// and the import of the checked rows into their months as one change.
namespace hanaki {

class RemarkMemory;

inline constexpr std::size_t kStatementRemarkBytes = 60;  // the ledger's remark

struct CategoryChoice {
    int category = 0;  // 0: none
    int description = 0;
    friend bool operator==(const CategoryChoice&, const CategoryChoice&) = default;
};

// The category the household gave its past items of the same remark (code
// page 932), asked where no rule decides; nullopt when it has none. The
// planner takes a proposal only where the category's kind fits the row.
using RemarkProposer = std::function<std::optional<CategoryChoice>(std::string_view remark)>;

// The household's remark memory as a proposer: the category and description
// of the item the remark, or the longest remembered remark it contains, was
// last booked as. Both must outlive the proposer.
RemarkProposer ProposerFrom(RemarkMemory& memory, const CategoryTable& categories);

enum class RowProblem {
    None,
    TooFewFields,      // the row ends before a column of the layout
    BadDate,           // no date of the known forms
    DateOutsideYears,  // before 1950, or its month past 2049
    NoAmount,          // the amount cell (both, for two columns) empty
    BadAmount,         // no amount of the known forms, or amounts in both columns
    ZeroAmount,
    AmountTooLarge,  // over 9 digits
};

enum class ProposalSource { None, Rule, Memory, Chosen };

struct PlannedRow {
    int line = 0;  // of the statement file, 1-based
    RowProblem problem = RowProblem::None;
    CivilDate date;             // calendar date
    AccountingMonth month;      // year since 1900
    std::string accountingKey;  // yymmdd, as the month's chain keys the day
    bool income = false;        // 入金, else 支出
    long long amount = 0;       // yen, positive
    std::string text;           // the text columns joined (UTF-8)
    std::string remark;         // code page 932, at most 60 bytes
    CategoryChoice choice;      // none: the row cannot be imported yet
    ProposalSource source = ProposalSource::None;
    bool skippedByRule = false;    // a 取り込まない rule matched
    bool alreadyImported = false;  // 取込済: date, amount and remark stand in the month
    bool checked = false;          // to be imported; the preview toggles it

    // Whether Enter may import the row: readable, with a category, not there yet.
    bool Importable() const;
};

struct StatementPlan {
    std::vector<PlannedRow> rows;
    IoResult io;  // a month's ledger that could not be read: nothing may be imported
};

// The rows below the layout's header; blank rows and the totals below the
// last dated row are left out.
StatementPlan PlanStatementImport(const DataFolder& folder, const CategoryTable& categories,
                                  int closingDay, const StatementTable& table,
                                  const GuessedLayout& layout, const StatementRules& rules,
                                  const RemarkProposer& proposer = {});

// The row's category as chosen in the preview: checked when importable.
void ChooseCategory(const CategoryTable& categories, PlannedRow& row, CategoryChoice choice);

// Whether `choice` names a category and description the master has, of the row's kind.
bool FitsRow(const CategoryTable& categories, const PlannedRow& row, CategoryChoice choice);

// The ledger record a row becomes (its date the accounting key).
LedgerRecord StatementRecord(const CategoryTable& categories, const PlannedRow& row);

struct StatementImport {
    IoResult io;  // the write that failed; the months written before it were put back
    // A month that would pass 1000 items: nothing was written.
    std::optional<AccountingMonth> fullMonth;
    int fullMonthCount = 0;      // the items it would hold
    std::vector<bool> imported;  // by row of the plan
    std::vector<bool> found;     // checked rows that stood in their months by now
    int importedCount = 0;
};

// Puts the checked, importable rows into their months' ledgers, each after
// the items of its day, as one change of the history named `what` (one undo
// takes it back). The months are read again first: a row that stands there
// by now is not added twice. Nothing is written when a month would pass 1000
// items or a ledger cannot be read; a failed write puts back what was written.
StatementImport ImportStatementRows(const DataFolder& folder, const CategoryTable& categories,
                                    int closingDay, const std::vector<PlannedRow>& rows,
                                    const std::string& what);

// "2026年12月度"
std::string AccountingMonthWords(const AccountingMonth& month);

// Why a row cannot be imported, in Japanese (UTF-8, no full stop).
std::string DescribeRowProblem(RowProblem problem);

}  // namespace hanaki

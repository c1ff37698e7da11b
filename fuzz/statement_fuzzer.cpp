// A statement file of any bytes: the reader answers within its bounds, every
// row it keeps holds text and stays within the field limit, and a plan over
// the guessed layout gives each row a month of the ledger's years, an amount
// of 1 to 9 digits and a remark of at most 60 bytes, or a reason.
#include "data/book/statement_import.h"
#include "data/formats/statement_table.h"
#include "fuzz_input.h"
#include "memory_file_system.h"

using namespace hanaki;
using namespace hanaki::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const int closingDay = input.ClosingDay();
    const std::string bytes(input.Rest());

    const StatementTable table = ReadStatementTable(bytes);
    Require(table.rows.size() <= kStatementRowLimit, "the rows stay within their limit");
    for (const StatementRow& row : table.rows)
        Require(row.fields.size() <= kStatementFieldLimit && row.line >= 1,
                "a row stays within the field limit and has its line");
    if (table.error != StatementReadError::None)
        return 0;
    const std::optional<GuessedLayout> layout = GuessStatementLayout(table);
    if (!layout)
        return 0;
    MemoryFileSystem fs;
    const DataFolder folder("/household", fs);
    CategoryTable categories;
    categories.names[1] = "A";
    categories.descriptions[1][1] = "B";
    const StatementPlan plan =
        PlanStatementImport(folder, categories, closingDay, table, *layout, {});
    for (const PlannedRow& row : plan.rows) {
        Require(row.remark.size() <= kStatementRemarkBytes, "a remark fits the ledger");
        if (row.problem != RowProblem::None)
            continue;
        Require(row.amount >= 1 && row.amount <= 999'999'999, "an amount of 1 to 9 digits");
        Require(row.month.year >= kEarliestYear && row.month.year <= kLatestYear,
                "a month of the ledger's years");
        Require(row.accountingKey.size() == 6, "an accounting date key");
    }
    return 0;
}

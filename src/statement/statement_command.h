#pragma once

#include <ostream>
#include <string>

#include "data/formats/calendar.h"

// `hanaki --import-statement FILE [--dry-run] [--csv]`: a bank's, a card
// company's or another household book's statement into the ledgers, by the
// layout remembered for its header and the rules of BUNRUI.TXT.
namespace hanaki {

struct StatementRequest {
    std::string file;
    bool dryRun = false;  // list what would be imported, write nothing
    bool csv = false;
};

// Returns the exit code: 0 every row was imported or already there (or left
// out by a 取り込まない rule); 1 some could not be (no category, no layout for
// the header, a bad date or amount, a file that cannot be read, a month past
// 1000 items, a write that failed), each named on `err` with its line; 3 the
// folder is in use by another program. Where no rule decides, the items of
// the twelve accounting months up to `today`'s propose the category.
int RunStatementCommand(const std::string& dataDir, const StatementRequest& request,
                        const CivilDate& today, std::ostream& out, std::ostream& err);

}  // namespace hanaki

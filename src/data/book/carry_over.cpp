#include "data/book/carry_over.h"

#include "data/book/aggregation.h"
#include "data/book/amount_format.h"

namespace hanaki {

CarryOverProposal ProposeCarryOver(const DataFolder& folder, const CategoryTable& categories,
                                   const Settings& settings, int year, int month) {
    if (--month == 0) {
        month = 12;
        --year;
    }
    MonthTotals totals;
    CarryOverProposal proposal;
    proposal.io = AggregateMonth(folder, categories, settings, year, month, totals).io;
    if (proposal.io.ok())
        proposal.balance =
            static_cast<std::int32_t>(RoundHalfEven(totals.income() - totals.expense()));
    return proposal;
}

}  // namespace hanaki

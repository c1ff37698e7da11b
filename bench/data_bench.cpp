#include <benchmark/benchmark.h>

#include "data/book/aggregation.h"
#include "data/formats/fixed_field.h"
#include "data/formats/ledger.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

// A full month: 1000 items spread over 31 days.
std::string FullMonthBytes(int year, int month) {
    std::string bytes;
    for (int i = 0; i < kLedgerSlots; ++i) {
        const int day = 1 + i * 31 / kLedgerSlots;
        bytes += testing::RecordBytes({TwoDigits(year % 100) + TwoDigits(month) + TwoDigits(day),
                                       i % 2 ? "02" : "01", "name", "01", "desc",
                                       (i % 2 ? "-" : "+") + std::to_string(1000 + i), "remark"});
    }
    return bytes;
}

void AggregateTwelveFullMonths(benchmark::State& state) {
    testing::TempFolder dir;
    for (int month = 1; month <= 12; ++month) {
        dir.Write(LedgerFileName(100, month), FullMonthBytes(100, month));
    }
    CategoryTable categories;
    categories.names[1] = "in";
    categories.names[2] = "out";
    categories.kinds[2] = CategoryKind::Expense;
    Settings settings;
    TrendTotals trend;
    for (auto _ : state) {
        AggregateTwelveMonths(dir.folder(), categories, settings, 100, 12, trend);
        benchmark::DoNotOptimize(trend);
    }
}
BENCHMARK(AggregateTwelveFullMonths)->Unit(benchmark::kMillisecond);

void LoadAndSaveFullMonth(benchmark::State& state) {
    testing::TempFolder dir;
    dir.Write(LedgerFileName(100, 1), FullMonthBytes(100, 1));
    MonthLedger ledger;
    for (auto _ : state) {
        LoadMonthLedger(dir.folder(), 25, 100, 1, ledger);
        SaveMonthLedger(dir.folder(), 25, 100, 1, ledger);
    }
}
BENCHMARK(LoadAndSaveFullMonth)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hanaki

BENCHMARK_MAIN();

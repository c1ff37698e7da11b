#include <benchmark/benchmark.h>

#include "data/book/aggregation.h"
#include "data/formats/fixed_field.h"
#include "data/formats/ledger.h"
#include "plain_read.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

// The twelve-month sums beside the floor they cannot beat: reading the same
// twelve files with plain read() calls, in the same run.
namespace hanaki {
namespace {

// A full month as a household writes it: 1000 items over 31 days, names and
// remarks in Japanese, five income and twelve expense categories.
std::string HouseholdMonth(int year, int month) {
    std::string bytes;
    for (int i = 0; i < kLedgerSlots; ++i) {
        const int category = 1 + i % 17;
        bytes += testing::RecordBytes(
            {.date = TwoDigits(year % 100) + TwoDigits(month) + TwoDigits(1 + i * 31 / 1000),
             .category = TwoDigits(category),
             .categoryName = "食料品費",
             .description = TwoDigits(1 + i % 7),
             .descriptionName = "スーパー",
             .amount = (category <= 5 ? "+" : "-") + std::to_string(100 + i * 37 % 50000),
             .remark = "駅前の店で夕食の材料"});
    }
    return bytes;
}

struct TwelveFullMonths {
    TwelveFullMonths() {
        for (int k = 0; k < 12; ++k)
            dir.Write(LedgerFileName(100, k + 1), HouseholdMonth(100, k + 1));
        for (int c = 1; c <= 17; ++c) {
            categories.names[c] = "c";
            categories.kinds[c] = c <= 5 ? CategoryKind::Income : CategoryKind::Expense;
        }
    }
    testing::TempFolder dir;
    CategoryTable categories;
    Settings settings;
};

void AggregateTwelveHouseholdMonths(benchmark::State& state) {
    TwelveFullMonths months;
    TrendTotals trend;
    for (auto _ : state) {
        AggregateTwelveMonths(months.dir.folder(), months.categories, months.settings, 100, 12,
                              trend);
        benchmark::DoNotOptimize(trend);
    }
}
BENCHMARK(AggregateTwelveHouseholdMonths)->Unit(benchmark::kMicrosecond);

void PlainReadOfTheSameTwelveFiles(benchmark::State& state) {
    TwelveFullMonths months;
    std::vector<std::string> paths;
    for (int k = 0; k < 12; ++k)
        paths.push_back(months.dir.folder().PathOf(LedgerFileName(100, k + 1)));
    ReadPlainly(state, paths);
}
BENCHMARK(PlainReadOfTheSameTwelveFiles)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace hanaki

BENCHMARK_MAIN();

#include <benchmark/benchmark.h>

#include "data/book/ledger_search.h"
#include "find/item_text_match.h"
#include "plain_read.h"
#include "support/temp_folder.h"
#include "ten_full_years.h"

// The find rule over ten full years beside the floor it cannot beat: reading
// the same 120 files with plain read() calls, in the same run.
namespace hanaki {
namespace {

struct TenFullYears {
    TenFullYears() { WriteTenFullYears(dir); }
    testing::TempFolder dir;
    const MonthSpan span{2016 * 12, 2025 * 12 + 11};
};

void SearchTenFullYears(benchmark::State& state, const char* text) {
    TenFullYears years;
    for (auto _ : state) {
        ItemTextMatch match(text);
        std::size_t found = 0;
        SearchLedgers(
            years.dir.folder(), years.span, std::ref(match), [&](const FoundRecord&) { ++found; },
            [](const LedgerSearch&) {});
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK_CAPTURE(SearchTenFullYears, rareRemark, "保険")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchTenFullYears, halfWidth, "ｶﾞｿﾘﾝ")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchTenFullYears, amount, "12345")->Unit(benchmark::kMillisecond);

// What the find screen searches before its first frame: the newest month.
void SearchOneFullMonth(benchmark::State& state) {
    TenFullYears years;
    std::string buffer;
    for (auto _ : state) {
        ItemTextMatch match("ｶﾞｿﾘﾝ");
        LedgerSearch month;
        std::size_t found = 0;
        SearchMonthLedger(years.dir.folder(), 2025, 12, std::ref(match), buffer, month,
                          [&](const FoundRecord&) { ++found; });
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(SearchOneFullMonth)->Unit(benchmark::kMicrosecond);

void PlainReadOfTheSameFiles(benchmark::State& state) {
    TenFullYears years;
    std::vector<std::string> paths;
    for (int index = years.span.first; index <= years.span.last; ++index)
        paths.push_back(
            years.dir.folder().PathOf(LedgerFileName(index / 12 - 1900, index % 12 + 1)));
    ReadPlainly(state, paths);
}
BENCHMARK(PlainReadOfTheSameFiles)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hanaki

BENCHMARK_MAIN();

// The due check hanaki makes at start: read the fixed items and list what
// fell due. A hundred fixed items, none entered for ten years, is a
// household's worst case (12,000 occurrences).
#include <benchmark/benchmark.h>

#include "data/book/due_items.h"
#include "data/formats/fixed_items.h"

namespace hanaki {
namespace {

std::string HundredItemsUnenteredForTenYears() {
    FixedItems items;
    for (int i = 0; i < 100; ++i) {
        FixedItem item;
        item.day = i % 31 + 1;
        item.category = i % 20 + 1;
        item.description = i % 5 + 1;
        item.amount = 1000 + i;
        item.every = i % 10 == 0 ? 12 : 1;
        item.firstMonth = MonthNumber(2016, 12);
        item.remark = "remark " + std::to_string(i);
        items.lines.push_back({FixedItemLine(item), item});
    }
    return SerializeFixedItems(items);
}

void DueCheckAtStart(benchmark::State& state) {
    const std::string bytes = HundredItemsUnenteredForTenYears();
    std::size_t due = 0;
    for (auto _ : state) {
        const FixedItems items = ParseFixedItems(bytes);
        due = DueOccurrences(items, 25, {2026, 12, 8}).size();
        benchmark::DoNotOptimize(due);
    }
    state.counters["occurrences"] = static_cast<double>(due);
}
BENCHMARK(DueCheckAtStart)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hanaki

BENCHMARK_MAIN();

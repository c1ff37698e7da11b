#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <vector>

#include "data/formats/fixed_field.h"
#include "data/formats/ledger.h"
#include "data/history/history_pruning.h"
#include "data/history/history_store.h"
#include "support/temp_folder.h"
#include "year_of_use.h"

namespace hanaki {
namespace {

MonthLedger FullMonth() {
    MonthLedger ledger;
    for (int i = 1; i <= kLedgerSlots; ++i)
        AppendItem(ledger, i - 1, Item(11, 1 + i * 30 / kLedgerSlots, i));
    return ledger;
}

// Corrects one item of a full month back and forth, as a user correcting an
// amount; one ledger, so that each save starts from the bytes on the disk.
void SaveFullMonth(benchmark::State& state, bool history, bool sync) {
    testing::TempFolder dir;
    UnsyncedFileSystem unsynced;
    DataFolder folder(dir.path(), sync ? RealFileSystem() : unsynced);
    if (history)
        KeepHistory(folder);
    MonthLedger ledger = FullMonth();
    const LedgerRecord corrections[] = {Item(11, 16, 99999), Item(11, 16, 500)};
    SaveMonthLedger(folder, 31, 126, 11, ledger);
    int n = 0;
    for (auto _ : state) {
        ReplaceItem(ledger, 500, corrections[++n % 2]);
        if (!SaveMonthLedger(folder, 31, 126, 11, ledger).ok())
            state.SkipWithError("the save failed");
    }
    state.counters["history_kB"] = static_cast<double>(HistorySpace(folder)) / 1024;
}
// The two saves in turn, each timed, so that the ratio is taken pair by pair
// and holds while the disk's speed drifts (other writers, the page cache).
void HistoryOverheadOfASave(benchmark::State& state) {
    testing::TempFolder plainDir, historyDir;
    DataFolder plain(plainDir.path(), RealFileSystem());
    DataFolder kept(historyDir.path(), RealFileSystem());
    KeepHistory(kept);
    MonthLedger plainLedger = FullMonth();
    MonthLedger keptLedger = plainLedger;
    const LedgerRecord corrections[] = {Item(11, 16, 99999), Item(11, 16, 500)};
    SaveMonthLedger(plain, 31, 126, 11, plainLedger);
    SaveMonthLedger(kept, 31, 126, 11, keptLedger);
    auto timedSave = [&](const DataFolder& folder, MonthLedger& ledger, int n) {
        ReplaceItem(ledger, 500, corrections[n % 2]);
        const auto start = std::chrono::steady_clock::now();
        const bool saved = SaveMonthLedger(folder, 31, 126, 11, ledger).ok();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        if (!saved)
            state.SkipWithError("the save failed");
        return took.count();
    };
    std::vector<double> plainTimes, historyTimes, ratios;
    int n = 0;
    for (auto _ : state) {
        ++n;
        plainTimes.push_back(timedSave(plain, plainLedger, n));
        historyTimes.push_back(timedSave(kept, keptLedger, n));
        ratios.push_back(historyTimes.back() / plainTimes.back());
    }
    auto median = [](std::vector<double> values) {
        std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
        return values[values.size() / 2];
    };
    state.counters["plain_ms"] = median(plainTimes);
    state.counters["history_ms"] = median(historyTimes);
    state.counters["ratio"] = median(ratios);
}
BENCHMARK(HistoryOverheadOfASave)->Unit(benchmark::kMillisecond)->Iterations(300);

BENCHMARK_CAPTURE(SaveFullMonth, plain, false, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SaveFullMonth, withHistory, true, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SaveFullMonth, plainUnsynced, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SaveFullMonth, withHistoryUnsynced, true, false)->Unit(benchmark::kMillisecond);

void StartUpWithAYearOfHistory(benchmark::State& state) {
    YearOfUse year;
    DataFolder folder(year.dir.path(), RealFileSystem());
    const std::uintmax_t before = HistorySpace(folder);
    const int letGo = PruneHistory(folder, year.now);
    for (auto _ : state) {
        benchmark::DoNotOptimize(PruneHistory(folder, year.now));
    }
    state.counters["changes_let_go"] = letGo;
    state.counters["ledgers_kB"] = static_cast<double>(year.ledgerBytes) / 1024;
    state.counters["history_kB_unpruned"] = static_cast<double>(before) / 1024;
    state.counters["history_kB"] = static_cast<double>(HistorySpace(folder)) / 1024;
    state.counters["times_ledgers"] =
        static_cast<double>(HistorySpace(folder)) / static_cast<double>(year.ledgerBytes);
}
BENCHMARK(StartUpWithAYearOfHistory)->Unit(benchmark::kMillisecond);

void FirstPruningOfAYear(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        YearOfUse year;
        DataFolder folder(year.dir.path(), RealFileSystem());
        state.ResumeTiming();
        benchmark::DoNotOptimize(PruneHistory(folder, year.now));
    }
}
BENCHMARK(FirstPruningOfAYear)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace hanaki

BENCHMARK_MAIN();

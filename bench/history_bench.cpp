#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <vector>

#include "data/fixed_field.h"
#include "data/history_pruning.h"
#include "data/history_store.h"
#include "data/ledger.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

constexpr std::int64_t kDay = 24 * 60 * 60;

// The real calls without the syncs, to build a year of history in seconds
// and to show what the history costs the processor alone.
class UnsyncedFileSystem : public PosixFileSystem {
  public:
    int Sync(int) override { return 0; }
    int SyncDirectory(const std::string&) override { return 0; }
};

LedgerRecord Item(int month, int day, int n) {
    return {TwoDigits(26) + TwoDigits(month) + TwoDigits(day),
            "02",
            "name",
            "01",
            "desc",
            "-" + std::to_string(100 + n),
            "remark " + std::to_string(n)};
}

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
        folder.KeepHistory();
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
    kept.KeepHistory();
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

// A year of ordinary use: ten items a day, each saved at once, from 2025-12-01.
struct YearOfUse {
    testing::TempFolder dir;
    UnsyncedFileSystem unsynced;
    std::int64_t now = 1'764'550'800;  // 2025-12-01 09:00 JST
    DataFolder folder{dir.path(), unsynced};
    std::uintmax_t ledgerBytes = 0;

    YearOfUse() {
        folder.KeepHistory([this] { return now; });
        MonthLedger ledger;
        int open = 0;
        for (int day = 0; day < 365; ++day) {
            const int month = 12 + day * 12 / 365;  // accounting months of about 30 days
            if (month != open) {
                ledger = MonthLedger{};
                open = month;
            }
            for (int n = 0; n < 10; ++n) {
                now = 1'764'550'800 + day * kDay + n * 3600;
                AppendItem(ledger, ledger.LastSlot(), Item((month - 1) % 12 + 1, 1, n));
                SaveMonthLedger(folder, 31, 125 + (month - 1) / 12, (month - 1) % 12 + 1, ledger);
            }
        }
        for (const auto& file : std::filesystem::directory_iterator(dir.path())) {
            if (file.is_regular_file())
                ledgerBytes += file.file_size();
        }
    }
};

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

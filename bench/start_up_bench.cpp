#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "full_year.h"
#include "window_start_up.h"
#include "year_of_use.h"

// The window's start-up beside a year of history (ten items a day) and
// without one, on the same live files, in turn, so that the ratio is taken
// pair by pair; and on a year of full months.
namespace hanaki {
namespace {

void WriteMasters(const testing::TempFolder& dir) {
    dir.Write("VERADIV.DAT", testing::Sjis("+給料\r\n月給\r\n-食費\r\n朝食\r\n"));
    dir.Write("VERADIV.ENV", " 31 \r\n0,0\r\n");
}

double TimedStart(const std::string& path, std::int64_t now, benchmark::State& state) {
    const double took = StartWindow(path, now);
    if (took < 0)
        state.SkipWithError("the window did not start");
    return took;
}

double Median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

void StartUpBesideAYearOfHistory(benchmark::State& state) {
    YearOfUse kept;
    YearOfUse plain(false);
    WriteMasters(kept.dir);
    WriteMasters(plain.dir);
    // The day before, the history was pruned as every start prunes it; the
    // first start of the day lets go of the changes that grew a month old.
    PruneHistory(DataFolder(kept.dir.path(), RealFileSystem()), kept.now - YearOfUse::kDay);
    const double firstOfTheDay = TimedStart(kept.dir.path(), kept.now, state);
    std::vector<double> plainTimes, historyTimes, ratios;
    for (auto _ : state) {
        plainTimes.push_back(TimedStart(plain.dir.path(), kept.now, state));
        historyTimes.push_back(TimedStart(kept.dir.path(), kept.now, state));
        ratios.push_back(historyTimes.back() / plainTimes.back());
    }
    state.counters["plain_ms"] = Median(plainTimes);
    state.counters["history_ms"] = Median(historyTimes);
    state.counters["ratio"] = Median(ratios);
    state.counters["first_of_day_ms"] = firstOfTheDay;
}
BENCHMARK(StartUpBesideAYearOfHistory)->Unit(benchmark::kMillisecond)->Iterations(50);

// The window's start-up on the heaviest household: the month it opens and the
// eleven before it each hold 1000 items. The whole program's start, icon and
// translations included, is timed from outside with first_frame.
void StartUpOnAYearOfFullMonths(benchmark::State& state) {
    testing::TempFolder full;
    WriteFullYear(full);
    std::vector<double> times;
    for (auto _ : state)
        times.push_back(TimedStart(full.path(), kEndOfTheYear, state));
    state.counters["median_ms"] = Median(times);
}
BENCHMARK(StartUpOnAYearOfFullMonths)->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace
}  // namespace hanaki

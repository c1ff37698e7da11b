#include <benchmark/benchmark.h>

#include "data/fixed_field.h"
#include "data/ledger_search.h"
#include "find/item_text_match.h"
#include "plain_read.h"
#include "support/temp_folder.h"

// The find rule over ten full years beside the floor it cannot beat: reading
// the same 120 files with plain read() calls, in the same run.
namespace hanaki {
namespace {

const char* const kRemarks[] = {
    "駅前の店で夕食の材料", "ガソリン代",       "ｶﾞｿﾘﾝ",        "電気代 3月分", "",
    "ＡＢＣマート",         "自動車保険の更新", "Amazon 日用品"};

std::string FullMonth(int year, int month) {
    std::string bytes;
    for (int i = 0; i < kLedgerSlots; ++i) {
        const int category = 1 + i % 17;
        LedgerRecord record;
        record.date = TwoDigits(year % 100) + TwoDigits(month) + TwoDigits(1 + i * 28 / 1000);
        record.categoryNumber = TwoDigits(category);
        record.categoryName = testing::Sjis(category <= 5 ? "給料" : "食費");
        record.descriptionNumber = TwoDigits(1 + i % 3);
        record.descriptionName = testing::Sjis("スーパー");
        record.amount = (category <= 5 ? "+" : "-") + std::to_string(100 + i * 37 % 50000);
        record.remark = testing::Sjis(std::string(kRemarks[i % 8]) + " " + std::to_string(i));
        bytes += EncodeLedgerRecord(record);
    }
    return bytes;
}

struct TenFullYears {
    TenFullYears() {
        for (int year = 2016; year < 2026; ++year) {
            for (int month = 1; month <= 12; ++month)
                dir.Write(LedgerFileName(year - 1900, month), FullMonth(year, month));
        }
    }
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
        LedgerSearch found;
        SearchMonthLedger(years.dir.folder(), 2025, 12, std::ref(match), buffer, found);
        benchmark::DoNotOptimize(found.items.data());
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

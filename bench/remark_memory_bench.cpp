#include <benchmark/benchmark.h>

#include "data/book/remark_memory.h"
#include "data/formats/fixed_field.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"
#include "ui/text_folding.h"

namespace hanaki {
namespace {

// Twelve full months (1000 items each), a remark on every item from a few
// hundred shops, as a busy household's year holds them.
void WriteYear(testing::TempFolder& dir) {
    static const char* const kShops[] = {"スーパー", "コンビニ",       "ドラッグストア",
                                         "ﾊﾟﾝ屋",    "ホームセンター", "ガソリン",
                                         "本屋",     "ファミレス"};
    for (int month = 1; month <= 12; ++month) {
        std::string bytes;
        for (int i = 0; i < kLedgerSlots; ++i) {
            bytes += testing::RecordBytes(
                {.date = "26" + TwoDigits(month) + TwoDigits(1 + i % 28),
                 .category = TwoDigits(2 + i % 5),
                 .description = TwoDigits(1 + i % 3),
                 .amount = "-" + std::to_string(100 + i),
                 .remark = std::string(kShops[i % 8]) + std::to_string(i % 40) + "号店"});
        }
        dir.Write("2026" + TwoDigits(month) + ".DAT", bytes);
    }
}

// What the main window's first completion costs: the twelve months are read
// and the remarks indexed then.
void ReadTwelveFullMonths(benchmark::State& state) {
    testing::TempFolder dir;
    WriteYear(dir);
    const DataFolder folder = dir.folder();
    for (auto _ : state) {
        RemarkMemory memory(FoldText);
        memory.Read(folder, kMonthEnd, 126, 12);
        benchmark::DoNotOptimize(memory.Completions("ス"));
    }
}
BENCHMARK(ReadTwelveFullMonths)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hanaki
BENCHMARK_MAIN();

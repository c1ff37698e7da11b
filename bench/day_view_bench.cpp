#include <benchmark/benchmark.h>

#include <QTest>

#include "main_window_on.h"
#include "support/cp932_text.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::Sjis;

// A full month of 1000 items, all but the last one on day 6, so that showing
// day 6 fills the grid with 999 rows and showing day 7 walks the whole chain.
std::string CrowdedMonth() {
    std::string bytes;
    for (int i = 0; i < kLedgerSlots; ++i) {
        bytes +=
            testing::RecordBytes({i + 1 < kLedgerSlots ? "261206" : "261207", "02", "食費", "01",
                                  "朝食", "-" + std::to_string(100 + i), "ベンチマーク用の備考"});
    }
    return bytes;
}

// Each iteration steps from day 7 to day 6 and back: two day views.
void ShowDayOnAFullMonth(benchmark::State& state) {
    testing::TempFolder dir;
    dir.Write("VERADIV.DAT", Sjis("+給料\r\n月給\r\n-食費\r\n朝食\r\n"));
    dir.Write("VERADIV.ENV", " 31 \r\n0,0\r\n");
    dir.Write("202612.DAT", CrowdedMonth());
    MainWindowOn window(dir.folder());
    if (!window.Show()) {
        state.SkipWithError("start-up failed");
        return;
    }
    for (auto _ : state) {
        QTest::keyClick(window.screen.focusWidget(), Qt::Key_PageUp);
        QTest::keyClick(window.screen.focusWidget(), Qt::Key_PageDown);
    }
}
BENCHMARK(ShowDayOnAFullMonth)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hanaki

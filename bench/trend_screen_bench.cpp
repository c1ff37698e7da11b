#include <benchmark/benchmark.h>

#include <QTest>

#include "data/formats/fixed_field.h"
#include "summary/monthly_trend_screen.h"
#include "support/cp932_text.h"
#include "support/ledger_records.h"
#include "support/scripted_messages.h"
#include "support/temp_folder.h"

// One key on the trend screen re-reads twelve full months and redraws the
// table; it has one frame (16 ms) for that.
namespace hanaki {
namespace {

using testing::Sjis;

std::string FullMonth(int year, int month) {
    std::string bytes;
    for (int i = 0; i < kLedgerSlots; ++i) {
        const int category = 1 + i % 17;
        bytes += testing::RecordBytes(
            {TwoDigits(year % 100) + TwoDigits(month) + TwoDigits(1 + i * 28 / 1000),
             TwoDigits(category), "食費", TwoDigits(1 + i % 3), "朝食",
             (category <= 5 ? "+" : "-") + std::to_string(100 + i * 977 % 200000),
             "ベンチマーク用の備考"});
    }
    return bytes;
}

// Each iteration is PageUp then PageDown in the month field, each repainted.
void TrendScreenMonthKey(benchmark::State& state) {
    testing::TempFolder dir;
    std::string master;
    for (int c = 1; c <= 17; ++c)
        master += (c <= 5 ? "+" : "-") + Sjis("費目") + std::to_string(c) + "\r\n" +
                  Sjis("朝食,昼食,夕食") + "\r\n";
    dir.Write("VERADIV.DAT", master);
    dir.Write("VERADIV.ENV", " 31 \r\n0,0\r\n");
    for (int k = 0; k < 13; ++k)
        dir.Write(LedgerFileName(125 + (k + 11) / 12, (k + 11) % 12 + 1),
                  FullMonth(2025 + (k + 11) / 12, (k + 11) % 12 + 1));
    ProgramState program(dir.folder(), [] { return CivilDate{2026, 12, 7}; });
    LoadCategoryTable(program.folder, program.categories);
    SettingsReading reading;
    LoadSettings(program.folder, program.settings, reading);
    program.date = CurrentDate{126, 12, 7};
    testing::ScriptedMessages messages;
    Services services{messages, ScreenMetrics(1024)};
    MonthlyTrendScreen screen(program, services, nullptr);
    screen.show();
    for (auto _ : state) {
        QTest::keyClick(screen.focusWidget(), Qt::Key_PageUp);
        screen.repaint();
        QTest::keyClick(screen.focusWidget(), Qt::Key_PageDown);
        screen.repaint();
    }
    state.SetItemsProcessed(2 * state.iterations());  // keys
}
BENCHMARK(TrendScreenMonthKey)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hanaki

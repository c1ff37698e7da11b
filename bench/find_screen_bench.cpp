#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "data/program_state.h"
#include "find/find_screen.h"
#include "support/cp932_text.h"
#include "support/scripted_messages.h"
#include "ten_full_years.h"

// From Enter on the find screen's text to the first frame of results, over
// ten full years: the screen searches the newest months at once and the rest
// after that frame.
namespace hanaki {
namespace {

void FirstFrameOfResults(benchmark::State& state, const char* text) {
    testing::TempFolder dir;
    dir.Write("VERADIV.DAT", testing::Sjis("+給料\r\n月給\r\n-食費\r\nスーパー\r\n"));
    WriteTenFullYears(dir);
    ProgramState program(dir.folder(), [] { return CivilDate{2025, 12, 7}; });
    LoadCategoryTable(program.folder, program.categories);
    testing::ScriptedMessages messages;
    Services services{messages, ScreenMetrics(768)};
    std::size_t rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        FindScreen screen(program, services, {}, {});
        screen.show();
        QApplication::setActiveWindow(&screen);
        QCoreApplication::processEvents();
        auto* field = screen.findChild<QLineEdit*>("Text1");
        auto* grid = screen.findChild<QTableView*>("MSFlexGrid1");
        field->setText(QString::fromUtf8(text));
        state.ResumeTiming();
        QTest::keyClick(field, Qt::Key_Return);
        grid->repaint();
        state.PauseTiming();
        rows = static_cast<std::size_t>(grid->model()->rowCount());
        state.ResumeTiming();
    }
    if (rows == 0)
        state.SkipWithError("no results in the first frame");
    state.counters["first_rows"] = static_cast<double>(rows);
}
BENCHMARK_CAPTURE(FirstFrameOfResults, rareRemark, "保険")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstFrameOfResults, halfWidth, "ｶﾞｿﾘﾝ")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstFrameOfResults, everyItem, "スーパー")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hanaki

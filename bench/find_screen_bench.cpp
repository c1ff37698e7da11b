#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <fstream>
#include <string>

#include "data/program/program_state.h"
#include "find/find_screen.h"
#include "support/cp932_text.h"
#include "support/scripted_messages.h"
#include "ten_full_years.h"

// From Enter on the find screen's text to the first frame of results, over
// ten full years: the screen searches the newest months at once and the rest
// after that frame; and a century of results whole.
namespace hanaki {
namespace {

// A household of full years, and a find screen shown over it with `text` typed.
struct FindOverFullYears {
    FindOverFullYears(int first, int last) {
        dir.Write("VERADIV.DAT", testing::Sjis("+給料\r\n月給\r\n-食費\r\nスーパー\r\n"));
        WriteFullYears(dir, first, last);
        LoadCategoryTable(program.folder, program.categories);
    }
    struct Shown {
        Shown(FindOverFullYears& household, const char* text)
            : screen(household.program, household.services, {}, {}) {
            screen.show();
            QApplication::setActiveWindow(&screen);
            QCoreApplication::processEvents();
            field->setText(QString::fromUtf8(text));
        }
        FindScreen screen;
        QLineEdit* field = screen.findChild<QLineEdit*>("Text1");
        QTableView* grid = screen.findChild<QTableView*>("MSFlexGrid1");
        QLabel* totals = screen.findChild<QLabel*>("Label2");
    };

    testing::TempFolder dir;
    ProgramState program{dir.folder(), [] { return CivilDate{2049, 12, 7}; }};
    testing::ScriptedMessages messages;
    Services services{messages, ScreenMetrics(768)};
};

void FirstFrameOfResults(benchmark::State& state, const char* text) {
    FindOverFullYears years(2016, 2025);
    std::size_t rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        FindOverFullYears::Shown shown(years, text);
        QTableView* grid = shown.grid;
        state.ResumeTiming();
        QTest::keyClick(shown.field, Qt::Key_Return);
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

// Kilobytes of the process's largest resident size so far.
long PeakKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

// A query every item of a century matches: 1.2 million results, from Enter to
// the last month searched, and how much the process grew to hold them.
void EveryItemOfACentury(benchmark::State& state) {
    FindOverFullYears century(1950, 2049);
    std::size_t rows = 0;
    long before = 0;
    long after = 0;
    for (auto _ : state) {
        state.PauseTiming();
        FindOverFullYears::Shown shown(century, "スーパー");
        QTableView* grid = shown.grid;
        before = PeakKilobytes();
        state.ResumeTiming();
        QTest::keyClick(shown.field, Qt::Key_Return);
        while (shown.totals->text().contains(QStringLiteral("検索中")))
            QCoreApplication::processEvents();
        grid->repaint();
        state.PauseTiming();
        after = PeakKilobytes();
        rows = static_cast<std::size_t>(grid->model()->rowCount());
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["grown_MB"] = static_cast<double>(after - before) / 1024;
    state.counters["peak_MB"] = static_cast<double>(after) / 1024;
}
BENCHMARK(EveryItemOfACentury)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace hanaki

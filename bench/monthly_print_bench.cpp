#include <benchmark/benchmark.h>

#include <QProcess>

#include "data/formats/category_table.h"
#include "monthly/month_files.h"
#include "monthly/monthly_printout.h"
#include "support/cp932_text.h"
#include "support/recording_print_surface.h"
#include "ui/fonts.h"
#include "ui/pdf_file_surface.h"

namespace hanaki {
namespace {

using namespace testing;

// A full month: 1000 items and three memo lines on each of its 31 days.
struct FullMonth {
    FullMonth() {
        InstallFontSubstitutions();  // the printout measures its text as the program does
        data.Write("VERADIV.DAT", Sjis(kMonthlyMaster));
        data.Write("VERADIV.ENV", ClosingDaySettings(kMonthEnd));
        data.Write("202612.DAT", LedgerBytes(DecemberItems(kLedgerSlots)));
        std::vector<MemoDay> days;
        for (int day = 1; day <= 31; ++day)
            days.push_back({day, {"買い物のメモ", "家族の予定", "覚え書き"}});
        data.Write("202612.MEM", MemoBytes(days));

        ParseCategoryFile(Sjis(kMonthlyMaster), categories);
        LoadMonthLedger(data.folder(), kMonthEnd, 126, 12, ledger);
        printout.year = 2026;
        printout.month = 12;
        printout.rows = CollectMonthlyRows(ledger, categories, kMonthEnd);
        printout.totals = ShownTotals(0, 1000.0 * kLedgerSlots);
        printout.hasMemoFile = true;
        LoadMemo(data.folder(), kMonthEnd, 126, 12, printout.memo);
    }
    TempFolder data;
    CategoryTable categories;
    MonthLedger ledger;
    MonthlyPrintout printout;
};

void PrintFullMonthOntoRecording(benchmark::State& state) {
    FullMonth month;
    for (auto _ : state) {
        RecordingPrintSurface paper;
        PrintMonthlyTable(paper, month.printout);
        benchmark::DoNotOptimize(paper.sheets.size());
    }
}
BENCHMARK(PrintFullMonthOntoRecording)->Unit(benchmark::kMillisecond);

// The same onto a PDF in memory and the file, without starting a program.
void PrintFullMonthToPdf(benchmark::State& state) {
    FullMonth month;
    TempFolder out;
    for (auto _ : state) {
        PdfFileSurface pdf(RealFileSystem(), out.path() + "/month.pdf", DefaultPdfLayout(),
                           "202612");
        if (!PrintMonthlyTable(pdf, month.printout).ok())
            state.SkipWithError("PDF not written");
    }
}
BENCHMARK(PrintFullMonthToPdf)->Unit(benchmark::kMillisecond);

// `hanaki --print-month` as a whole process, start-up included.
void PrintMonthCommand(benchmark::State& state) {
    FullMonth month;
    TempFolder out;
    const QStringList arguments = {"--data-dir",
                                   QString::fromStdString(month.data.path()),
                                   "--print-month",
                                   "2026",
                                   "12",
                                   "--pdf",
                                   QString::fromStdString(out.path() + "/month.pdf")};
    for (auto _ : state) {
        QProcess process;
        process.start(HANAKI_PROGRAM, arguments);
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            state.SkipWithError("--print-month failed");
    }
}
BENCHMARK(PrintMonthCommand)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hanaki

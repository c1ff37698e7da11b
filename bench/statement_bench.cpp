// A statement's way into the ledgers. The preview of 10,000 rows must stand
// within 200 ms of Enter: its data part is reading the file, finding the
// layout and planning every row (rules, the months' ledgers for the duplicate
// check). The import of the checked rows may take at most 1.25 times a save
// of the same items: compare StatementImportWrite with SaveOfTheSameItems.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "data/book/statement_import.h"
#include "data/formats/category_table.h"
#include "data/formats/cp932.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

CategoryTable BenchCategories() {
    CategoryTable categories;
    for (int c = 1; c <= 20; ++c) {
        categories.names[c] = "C" + std::to_string(c);
        categories.kinds[c] = c == 1 ? CategoryKind::Income : CategoryKind::Expense;
        for (int d = 1; d <= 5; ++d)
            categories.descriptions[c][d] = "D" + std::to_string(d);
    }
    return categories;
}

// A card statement of `rows` rows over a year (code page 932), shops from a
// list of 200; half of them have a rule.
std::string CardStatement(int rows) {
    std::string text =
        "ハナキカード ご利用明細\r\n"
        "利用日,利用店名・商品名,利用者,支払方法,利用金額,手数料,支払総額\r\n";
    for (int i = 0; i < rows; ++i) {
        const int month = i * 12 / rows + 1, day = i % 28 + 1;
        text += "2026/" + std::to_string(month) + "/" + std::to_string(day) + ",ショップ" +
                std::to_string(i % 200) + " 店,本人,1回払い,\"" + std::to_string(100 + i % 9000) +
                "\",0,\"" + std::to_string(100 + i % 9000) + "\"\r\n";
    }
    return *Utf8ToCp932(text);
}

StatementRules HundredRules() {
    StatementRules rules;
    for (int i = 0; i < 200; i += 2)
        LearnStatementRule(
            rules, {*Utf8ToCp932("ショップ" + std::to_string(i) + " "), false, 2 + i % 19, 1});
    return rules;
}

void PreviewOfTenThousandRows(benchmark::State& state) {
    testing::TempFolder temp;
    const DataFolder folder = temp.folder();
    const CategoryTable categories = BenchCategories();
    const StatementRules rules = HundredRules();
    const std::string bytes = CardStatement(10'000);
    std::size_t planned = 0;
    for (auto _ : state) {
        const StatementTable table = ReadStatementTable(bytes);
        const std::optional<GuessedLayout> layout = GuessStatementLayout(table);
        const StatementPlan plan =
            PlanStatementImport(folder, categories, 25, table, *layout, rules);
        planned = plan.rows.size();
        benchmark::DoNotOptimize(planned);
    }
    state.counters["rows"] = static_cast<double>(planned);
}
BENCHMARK(PreviewOfTenThousandRows)->Unit(benchmark::kMillisecond);

// 900 checked rows of one month: the import, and a save of the same chain.
struct OneMonth {
    OneMonth() {
        const StatementTable table = ReadStatementTable(CardStatement(900 * 12));
        const std::optional<GuessedLayout> layout = GuessStatementLayout(table);
        plan = PlanStatementImport(folder, categories, 31, table, *layout, HundredRules());
        std::vector<PlannedRow> june;
        for (PlannedRow& row : plan.rows) {
            if (row.month.month != 6)
                continue;
            row.choice = {2, 1};
            row.checked = true;
            june.push_back(row);
        }
        plan.rows = june;
        for (const PlannedRow& row : plan.rows)
            AppendItem(ledger, ledger.LastSlot(), StatementRecord(categories, row));
    }

    testing::TempFolder temp;
    DataFolder folder = temp.folder();
    CategoryTable categories = BenchCategories();
    StatementPlan plan;
    MonthLedger ledger;
};

void StatementImportWrite(benchmark::State& state) {
    OneMonth month;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(month.folder.PathOf("202606.DAT"));
        state.ResumeTiming();
        const StatementImport done =
            ImportStatementRows(month.folder, month.categories, 31, month.plan.rows, "bench");
        benchmark::DoNotOptimize(done.importedCount);
    }
    state.counters["items"] = static_cast<double>(month.plan.rows.size());
}
BENCHMARK(StatementImportWrite)->Unit(benchmark::kMillisecond);

void SaveOfTheSameItems(benchmark::State& state) {
    OneMonth month;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(month.folder.PathOf("202606.DAT"));
        MonthLedger ledger = month.ledger;
        state.ResumeTiming();
        const IoResult saved = SaveMonthLedger(month.folder, 31, 126, 6, ledger);
        benchmark::DoNotOptimize(saved);
    }
    state.counters["items"] = static_cast<double>(month.plan.rows.size());
}
BENCHMARK(SaveOfTheSameItems)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hanaki

BENCHMARK_MAIN();

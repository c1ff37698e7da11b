#include "sample_household/extreme_household.h"

#include <cstdlib>
#include <string>

#include "data/formats/calendar.h"
#include "data/formats/category_table.h"
#include "data/formats/cp932.h"
#include "data/formats/fixed_field.h"
#include "data/formats/ledger.h"
#include "data/formats/settings.h"

namespace hanaki::sample {
namespace {

enum Category {
    kSalary = 1,
    kHousing = 3,
    kFood,
    kUtilities,
    kPhone,
    kTransport,
    kMedical,
    kSchool,
    kGifts,
    kDeleted = 16,  // named by November's records only
};

std::string Cp932(const char* utf8) {
    std::optional<std::string> bytes = Utf8ToCp932(utf8);
    if (!bytes)
        std::abort();
    return *bytes;
}

CategoryTable Categories() {
    struct Plan {
        int number;
        const char* name;
        bool income;
        const char* descriptions[2];
    } plans[] = {
        {kSalary, "給料", true, {"月給", "賞与"}},
        {2, "副収入", true, {"", ""}},
        {kHousing, "住居費", false, {"家賃", "修繕"}},
        {kFood, "食費", false, {"食材", "外食"}},
        {kUtilities, "水道光熱費用", false, {"電気代", "ガス代"}},  // twelve bytes
        {kPhone, "通信費", false, {"", ""}},
        {kTransport, "交通費", false, {"", ""}},
        {kMedical, "医療費", false, {"", ""}},
        {kSchool, "子供の教育費", false, {"塾・習い事等", ""}},
        {kGifts, "交際費", false, {"", ""}},
    };
    CategoryTable table;
    for (const Plan& plan : plans) {
        table.names[plan.number] = Cp932(plan.name);
        table.kinds[plan.number] = plan.income ? CategoryKind::Income : CategoryKind::Expense;
        for (int d = 0; d < 2; ++d)
            table.descriptions[plan.number][d + 1] = Cp932(plan.descriptions[d]);
    }
    BuildCategoryGuides(table);
    return table;
}

Settings Budgets() {
    Settings settings;
    settings.closingDay = kMonthEnd;
    settings.budgets[kHousing] = "123456789012";
    settings.budgets[kFood] = "-5000";
    settings.budgets[kUtilities] = "1e5";
    settings.budgets[kPhone] = "12345.6";
    settings.budgets[kTransport] = Cp932("1万");
    settings.budgets[kMedical] = "100000";  // spent 100,001 in November
    return settings;
}

class Month {
  public:
    Month(const CategoryTable& categories, int year, int month)
        : categories_(categories), year_(year), month_(month) {}

    void Add(int day, int category, int description, long long amount, const char* remark = "",
             const char* storedName = nullptr) {
        LedgerRecord record;
        record.date = CurrentDate{year_, month_, day}.DateKey();
        record.categoryNumber = TwoDigits(category);
        record.categoryName = storedName ? Cp932(storedName) : categories_.names[category];
        record.descriptionNumber = TwoDigits(description);
        record.descriptionName = categories_.descriptions[category][description];
        const bool expense = storedName != nullptr || categories_.IsExpense(category);
        record.amount = (expense ? "-" : "+") + std::to_string(amount);
        record.remark = Cp932(remark);
        AppendItem(ledger_, ledger_.LastSlot(), record);
    }
    IoResult Save(const DataFolder& folder) {
        return SaveMonthLedger(folder, kMonthEnd, year_, month_, ledger_);
    }

  private:
    const CategoryTable& categories_;
    int year_;
    int month_;
    MonthLedger ledger_;
};

}  // namespace

IoResult WriteExtremeHousehold(const DataFolder& folder) {
    const CategoryTable categories = Categories();
    const Settings settings = Budgets();
    IoResult step = SaveCategoryTable(folder, categories);
    if (step.ok())
        step = WriteClosingDay(folder, kMonthEnd);
    if (step.ok())
        step = WriteCarryOver(folder, kMonthEnd, 0, 0);
    if (step.ok())
        step = WriteBudgets(folder, settings);
    for (int month = 1; month <= 10 && step.ok(); ++month) {
        Month items(categories, 126, month);
        items.Add(25, kSalary, 1, 450'000 + 1'000 * month);
        items.Add(27, kHousing, 1, 85'000);
        items.Add(10, kFood, 1, 61'000 + 2'345 * month);
        items.Add(12, kUtilities, 1, 12'000 + 300 * month);
        step = items.Save(folder);
    }
    if (step.ok()) {
        Month november(categories, 126, 11);
        november.Add(25, kSalary, 1, 450'000);
        november.Add(3, kHousing, 2, 10'000'000, "屋根の修繕");
        november.Add(10, kFood, 1, 1'361'190);
        november.Add(12, kUtilities, 1, 100'000);
        november.Add(15, kMedical, 0, 100'001);
        november.Add(18, kGifts, 0, 500, "手土産");
        november.Add(20, kGifts, 0, -800, "返品の返金");
        november.Add(22, kDeleted, 0, 1'000, "", "旧費目旧費目");
        step = november.Save(folder);
    }
    if (step.ok()) {
        // 450 in and 550 out: one category 534 of them, six others 5, 4, 3, 2, 1 and 1.
        Month december(categories, 126, 12);
        const int spent[][2] = {{kHousing, 534}, {kFood, 5},    {kUtilities, 4}, {kPhone, 3},
                                {kTransport, 2}, {kMedical, 1}, {kSchool, 1}};
        for (int i = 0; i < 450; ++i)
            december.Add(1 + i % 7, kSalary, 1, 999'999'999, "上限の入金");
        int n = 0;
        for (const auto& [category, count] : spent)
            for (int i = 0; i < count; ++i, ++n)
                december.Add(1 + n % 7, category, 1, 999'999'999, "上限の支出");
        step = december.Save(folder);
    }
    return step;
}

}  // namespace hanaki::sample

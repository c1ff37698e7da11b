#include "sample_household/sample_household.h"

#include <array>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/book/aggregation.h"
#include "data/book/amount_format.h"
#include "data/formats/category_table.h"
#include "data/formats/cp932.h"
#include "data/formats/fixed_field.h"
#include "data/formats/ledger.h"
#include "data/formats/memo.h"
#include "data/formats/settings.h"

namespace hanaki::sample {
namespace {

// Category numbers of the household below.
enum Category {
    kSalary = 1,
    kBonus,
    kExtraIncome,
    kCarryOver,
    kFood,
    kHousehold,
    kHousing,
    kUtilities,
    kPhone,
    kTransport,
    kSchool,
    kMedical,
    kClothes,
    kLeisure,
    kGifts,
    kInsurance,
    kPocketMoney,
};

struct CategoryPlan {
    const char* name;
    bool income;
    std::vector<const char*> descriptions;
    long long budget;  // 0: none
};

const std::vector<CategoryPlan>& Plan() {
    static const std::vector<CategoryPlan> plan = {
        {"給料", true, {"夫給料", "妻パート"}, 390000},
        {"賞与", true, {"夏季賞与", "冬季賞与"}, 0},
        {"臨時収入", true, {"児童手当", "還付金", "売却・返金"}, 0},
        {"繰越", true, {"前月繰越"}, 0},
        {"食費", false, {"米・パン", "肉・魚", "野菜・果物", "惣菜", "外食", "菓子・飲料"}, 75000},
        {"日用品", false, {"洗剤・紙類", "台所用品", "百円均一"}, 10000},
        {"住居費", false, {"家賃", "修繕"}, 85000},
        {"水道光熱", false, {"電気代", "ガス代", "水道代"}, 20000},
        {"通信費", false, {"携帯電話", "ネット回線", "郵便・宅配"}, 15000},
        {"交通費", false, {"電車・バス", "ガソリン", "駐車場"}, 15000},
        {"教育費", false, {"給食費", "習い事", "文具・教材"}, 20000},
        {"医療費", false, {"病院", "薬代"}, 5000},
        {"衣服費", false, {"子供服", "大人服", "靴"}, 10000},
        {"娯楽費", false, {"書籍", "レジャー", "映画・音楽"}, 12000},
        {"交際費", false, {"お祝い", "手土産"}, 8000},
        {"保険料", false, {"生命保険", "自動車保険"}, 15000},
        {"こづかい", false, {"夫", "妻", "長男", "長女"}, 45000},
    };
    return plan;
}

// Memos a family might leave, one to three lines each.
const std::vector<std::array<const char*, 3>>& MemoTexts() {
    static const std::vector<std::array<const char*, 3>> memos = {
        {"長男の誕生日。ケーキとプレゼント（図鑑）。", "", ""},
        {"電気代が先月より高い。", "エアコンの設定温度を見直す。", ""},
        {"車検の見積もり 85,000円。来月に予約。", "", ""},
        {"実家に帰省。お土産は駅で買った。", "ガソリン満タン。", ""},
        {"長女の保育園の面談。", "来月から延長保育を頼む。", ""},
        {"冷蔵庫の調子が悪い。買い替えを相談。", "", ""},
        {"特売日。米と洗剤をまとめ買い。", "", ""},
        {"歯医者の予約 次は水曜 16時。", "", ""},
        {"ふるさと納税の返礼品が届いた。", "", ""},
        {"町内会費 集金あり（来月分から値上げ）。", "", ""},
        {"家族で水族館。", "お昼はお弁当にして節約。", "帰りに外食。"},
        {"夫の飲み会は今月二回目。", "", ""},
    };
    return memos;
}

const char* const kShops[] = {"スーパーまるやま", "駅前マート", "生協", "八百屋", ""};
const char* const kRestaurants[] = {"回転寿司", "ファミレス", "ラーメン", "そば屋"};

// A small generator whose sequence is the same with every compiler and library.
class Random {
  public:
    explicit Random(std::uint32_t seed) : state_(seed ? seed : 1) {}
    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // lo … hi inclusive.
    long long Between(long long lo, long long hi) {
        return lo + static_cast<long long>(Next() % static_cast<std::uint32_t>(hi - lo + 1));
    }
    bool Chance(int percent) { return Between(1, 100) <= percent; }
    template <typename T, std::size_t N>
    const T& Pick(const T (&items)[N]) {
        return items[Between(0, N - 1)];
    }

  private:
    std::uint32_t state_;
};

std::string Cp932(const char* utf8) {
    std::optional<std::string> bytes = Utf8ToCp932(utf8);
    if (!bytes)
        std::abort();  // a text above that the code page cannot hold
    return *bytes;
}

CategoryTable BuildCategories() {
    CategoryTable table;
    const auto& plan = Plan();
    for (std::size_t c = 0; c < plan.size(); ++c) {
        const int number = static_cast<int>(c) + 1;
        table.names[number] = Cp932(plan[c].name);
        table.kinds[number] = plan[c].income ? CategoryKind::Income : CategoryKind::Expense;
        for (std::size_t d = 0; d < plan[c].descriptions.size(); ++d)
            table.descriptions[number][d + 1] = Cp932(plan[c].descriptions[d]);
    }
    BuildCategoryGuides(table);
    return table;
}

Settings BuildSettings() {
    Settings settings;
    settings.closingDay = kSampleClosingDay;
    settings.carryOverCategory = kCarryOver;
    settings.carryOverDescription = 1;
    const auto& plan = Plan();
    for (std::size_t c = 0; c < plan.size(); ++c) {
        const int number = static_cast<int>(c) + 1;
        settings.budgets[number] = plan[c].budget ? std::to_string(plan[c].budget) : "";
        // The balance carried over is no income of the month: left out of the summaries.
        settings.summaryFlags[number] = number == kCarryOver ? 0 : 1;
    }
    return settings;
}

// The items of one accounting month, appended in day order.
class MonthWriter {
  public:
    MonthWriter(const CategoryTable& categories, int year, int month)
        : categories_(categories), year_(year), month_(month) {}

    void Add(int day, int category, int description, long long amount, const char* remark = "") {
        CurrentDate date{year_, month_, day};
        LedgerRecord record;
        record.date = date.DateKey();
        record.categoryNumber = TwoDigits(category);
        record.categoryName = categories_.names[category];
        record.descriptionNumber = TwoDigits(description);
        record.descriptionName = categories_.descriptions[category][description];
        record.amount = (categories_.IsExpense(category) ? "-" : "+") + std::to_string(amount);
        record.remark = Cp932(remark);
        AppendItem(ledger_, ledger_.LastSlot(), record);
    }
    const MonthLedger& ledger() const { return ledger_; }

  private:
    const CategoryTable& categories_;
    int year_;
    int month_;
    MonthLedger ledger_;
};

std::chrono::weekday WeekdayOf(const CivilDate& date) {
    using namespace std::chrono;
    return weekday{sys_days{year{date.year} / date.month / date.day}};
}

// A day's worth of a family's spending; fixed costs fall on their calendar days.
// `shopping` makes sure of a trip to the shops (today's view is never empty).
void AddDay(MonthWriter& items, Random& random, int day, const CivilDate& real, bool shopping) {
    const bool weekend =
        WeekdayOf(real) == std::chrono::Saturday || WeekdayOf(real) == std::chrono::Sunday;
    const bool winter = real.month == 12 || real.month <= 2;
    const bool summer = real.month == 7 || real.month == 8;

    switch (real.day) {
        case 1:
            items.Add(day, kSchool, 2, 7000, "ピアノ教室");
            items.Add(day, kSchool, 2, 5500, "スイミング");
            break;
        case 5:
            items.Add(day, kPhone, 1, random.Between(8200, 9600), "2台分");
            items.Add(day, kPhone, 2, 5280);
            break;
        case 10:
            items.Add(
                day, kUtilities, 1,
                random.Between(winter || summer ? 10500 : 6200, winter || summer ? 14800 : 8900));
            if (real.month == 12)
                items.Add(day, kBonus, 2, 612000);
            break;
        case 12:
            items.Add(day, kUtilities, 2,
                      random.Between(winter ? 7200 : 3800, winter ? 9800 : 5600));
            break;
        case 15:
            items.Add(day, kSalary, 2, random.Between(680, 920) * 100, "スーパー勤務");
            if (real.month % 4 == 2)
                items.Add(day, kExtraIncome, 1, 40000);
            break;
        case 20:
            if (real.month % 2 == 0)
                items.Add(day, kUtilities, 3, random.Between(6400, 7900), "2か月分");
            break;
        case 25:
            items.Add(day, kSalary, 1, random.Between(3040, 3260) * 100,
                      random.Chance(40) ? "残業あり" : "");
            items.Add(day, kPocketMoney, 1, 30000);
            items.Add(day, kPocketMoney, 2, 10000);
            items.Add(day, kPocketMoney, 3, 3000);
            items.Add(day, kPocketMoney, 4, 1500);
            break;
        case 27:
            items.Add(day, kHousing, 1, 85000, "翌月分");
            if (real.month != 8)
                items.Add(day, kSchool, 1, 4800);
            break;
        case 28:
            items.Add(day, kInsurance, 1, 12400);
            if (real.month == 4)
                items.Add(day, kInsurance, 2, 48600, "1年分");
            break;
        case 30:
            if (real.month == 6)
                items.Add(day, kBonus, 1, 548000);
            break;
        default:
            break;
    }

    if (random.Chance(weekend ? 70 : 50) || shopping) {
        const char* shop = random.Pick(kShops);
        const int kinds = static_cast<int>(random.Between(1, 3));
        for (int i = 0; i < kinds; ++i)
            items.Add(day, kFood, static_cast<int>(random.Between(1, 4)), random.Between(280, 4200),
                      i == 0 ? shop : "");
    }
    if (weekend && random.Chance(35))
        items.Add(day, kFood, 5, random.Between(25, 90) * 100, random.Pick(kRestaurants));
    if (random.Chance(15))
        items.Add(day, kFood, 6, random.Between(150, 980));
    if (random.Chance(12))
        items.Add(day, kHousehold, static_cast<int>(random.Between(1, 2)),
                  random.Between(380, 2600));
    if (random.Chance(5))
        items.Add(day, kHousehold, 3, random.Between(1, 8) * 110);
    if (random.Chance(10))
        items.Add(day, kTransport, 2, random.Between(4200, 6800), "セルフ");
    if (random.Chance(10))
        items.Add(day, kTransport, 1, random.Between(2, 12) * 100);
    if (weekend && random.Chance(15))
        items.Add(day, kTransport, 3, random.Between(3, 12) * 100);
    if (random.Chance(4))
        items.Add(day, kMedical, 1, random.Between(8, 35) * 100,
                  random.Chance(50) ? "小児科" : "歯科");
    if (random.Chance(3))
        items.Add(day, kMedical, 2, random.Between(480, 2200));
    if (random.Chance(4))
        items.Add(day, kClothes, static_cast<int>(random.Between(1, 3)),
                  random.Between(15, 80) * 100);
    if (random.Chance(5))
        items.Add(day, kLeisure, 1, random.Between(600, 2200));
    if (weekend && random.Chance(8))
        items.Add(day, kLeisure, 2, random.Between(30, 120) * 100,
                  random.Chance(50) ? "動物園" : "水族館");
    if (random.Chance(2))
        items.Add(day, kGifts, 1, random.Between(1, 2) * 5000, "友人の出産祝い");
    if (random.Chance(3))
        items.Add(day, kGifts, 2, random.Between(10, 30) * 100);
    if (random.Chance(3))
        items.Add(day, kPhone, 3, random.Between(84, 1200));
    if (random.Chance(1))
        items.Add(day, kExtraIncome, 3, random.Between(5, 40) * 100, "フリマアプリ");
}

IoResult WriteMonth(const DataFolder& folder, const CategoryTable& categories,
                    const Settings& settings, Random& random, int year, int month, int lastDay,
                    bool carryOver) {
    MonthWriter items(categories, year, month);
    if (carryOver) {
        int previousYear = year;
        int previousMonth = month - 1;
        if (previousMonth == 0) {
            previousMonth = 12;
            --previousYear;
        }
        MonthTotals totals;
        AggregationReport previous =
            AggregateMonth(folder, categories, settings, previousYear, previousMonth, totals);
        if (!previous.io.ok())
            return previous.io;
        items.Add(1, kCarryOver, 1, RoundHalfEven(totals.income() - totals.expense()));
    }
    for (int day = 1; day <= lastDay; ++day)
        AddDay(items, random, day, RealDate(kSampleClosingDay, CurrentDate{year, month, day}),
               day == lastDay);
    MonthLedger ledger = items.ledger();
    IoResult saved = SaveMonthLedger(folder, kSampleClosingDay, year, month, ledger);
    if (!saved.ok())
        return saved;

    MemoMonth memo;
    const int memoDays = static_cast<int>(random.Between(3, 5));
    for (int i = 0; i < memoDays; ++i) {
        const int day = static_cast<int>(random.Between(1, lastDay));
        const auto& text = MemoTexts()[random.Between(0, MemoTexts().size() - 1)];
        memo.SetLines(day, {Cp932(text[0]), Cp932(text[1]), Cp932(text[2])});
    }
    return SaveMemo(folder, kSampleClosingDay, year, month, memo);
}

}  // namespace

IoResult WriteSampleHousehold(const DataFolder& folder, const CivilDate& today,
                              std::uint32_t seed) {
    const CategoryTable categories = BuildCategories();
    const Settings settings = BuildSettings();
    // The settings file grows as on a first run: closing day, carry-over, budgets and flags.
    IoResult step = SaveCategoryTable(folder, categories);
    if (step.ok())
        step = WriteClosingDay(folder, settings.closingDay);
    if (step.ok())
        step = WriteCarryOver(folder, settings.closingDay, settings.carryOverCategory,
                              settings.carryOverDescription);
    if (step.ok())
        step = WriteBudgets(folder, settings);
    if (!step.ok())
        return step;

    Random random(seed);
    const CurrentDate now = PlaceToday(kSampleClosingDay, today);
    CurrentDate month = now;
    StepMonth(month, -(kSampleMonths - 1));
    for (int i = 0; i < kSampleMonths; ++i) {
        const bool current = month.year == now.year && month.month == now.month;
        const int lastDay =
            current ? now.day : DaysInAccountingMonth(kSampleClosingDay, month.year, month.month);
        IoResult written = WriteMonth(folder, categories, settings, random, month.year, month.month,
                                      lastDay, i > 0);
        if (!written.ok())
            return written;
        StepMonth(month, 1);
    }
    return IoResult::Ok();
}

}  // namespace hanaki::sample

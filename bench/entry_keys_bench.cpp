// Keys a household presses to book one week of receipts on the main window.
//
// The week below (30 receipts: 29 expenses and a salary, 88 to 250,000 yen, 14
// with a remark) is typed through the real window with key events, on a folder
// holding the month before, the way an experienced user types it; every key
// is counted, and the 30 items must be in the month's file exactly. Japanese
// text goes through an input method: its romaji keys, one key to convert
// (F7 for katakana, Space for kanji) and Enter to commit it, all counted.
//
//   before   the keys every version has: numbers and Enter, remarks typed whole
//   quick    plus completion, the category from the remark (its romaji typed
//            in the category field, where the input method is off, until the
//            remark shows), Insert (again for an earlier item), PageDown
//   option   quick, with one-digit numbers moving on without Enter

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <cstring>
#include <map>
#include <optional>

#include "data/formats/fixed_field.h"
#include "entry/main_entry_screen.h"
#include "main_window_on.h"
#include "support/cp932_text.h"
#include "support/keyboard.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::Sjis;

// 11 categories: "1" waits for a second digit, 2 … 9 are whole at once.
const char* const kMaster[][6] = {
    {"+給料", "月給", "賞与", "", "", ""},   {"-食費", "食料品", "外食", "昼食", "菓子", ""},
    {"-日用品", "消耗品", "薬", "", "", ""}, {"-交通費", "電車", "バス", "ガソリン", "", ""},
    {"-住居", "家賃", "", "", "", ""},       {"-水道光熱", "電気", "ガス", "水道", "", ""},
    {"-通信", "携帯", "ネット", "", "", ""}, {"-医療", "病院", "薬", "", "", ""},
    {"-娯楽", "書籍", "映画", "", "", ""},   {"-教育", "学用品", "", "", "", ""},
    {"-衣服", "衣料", "", "", "", ""}};

// A remark as the user types it: whole (romaji), and the prefix that
// completes it (kana and romaji).
struct RemarkTyping {
    const char* remark;
    const char* romaji;
    const char* prefix;
    const char* prefixRomaji;
};
const RemarkTyping kRemarks[] = {
    {"スーパー", "su-pa-", "ス", "su"},
    {"コンビニ", "konbini", "コ", "ko"},
    {"ドラッグストア", "doraggusutoa", "ド", "do"},
    {"ランチ", "ranchi", "ラ", "ra"},
    {"ピザ", "piza", "ピ", "pi"},
    {"セルフ", "serufu", "セ", "se"},
    {"ネット通販", "nettotuuhan", "ネ", "ne"},
    {"ファミレス", "famiresu", "ファ", "fa"},
    {"パン屋", "pannya", "パ", "pa"},
};

const RemarkTyping& TypingOf(const std::string& remark) {
    for (const RemarkTyping& typing : kRemarks) {
        if (remark == typing.remark)
            return typing;
    }
    std::abort();
}

struct Receipt {
    int day;  // of December 2026
    int category;
    int description;
    long long amount;
    std::string remark;
};

// The week, in the order the receipts are booked: by day, like with like.
const Receipt kWeek[] = {
    {1, 4, 1, 320, ""},
    {1, 4, 1, 320, ""},
    {1, 2, 3, 650, ""},
    {1, 2, 1, 2345, "スーパー"},
    {2, 4, 1, 320, ""},
    {2, 4, 1, 320, ""},
    {2, 2, 3, 700, ""},
    {2, 2, 4, 298, "コンビニ"},
    {2, 3, 1, 1580, "ドラッグストア"},
    {3, 4, 1, 320, ""},
    {3, 4, 1, 320, ""},
    {3, 2, 3, 650, ""},
    {3, 2, 1, 3128, "スーパー"},
    {3, 7, 1, 4378, ""},
    {4, 4, 1, 320, ""},
    {4, 4, 1, 320, ""},
    {4, 2, 3, 880, "ランチ"},
    {4, 2, 2, 5600, "ピザ"},
    {4, 1, 1, 250000, ""},
    {5, 2, 1, 4210, "スーパー"},
    {5, 3, 1, 1078, "ドラッグストア"},
    {5, 4, 3, 4500, "セルフ"},
    {5, 9, 1, 1540, "ネット通販"},
    {5, 2, 4, 88, "コンビニ"},
    {6, 2, 2, 2400, "ファミレス"},
    {6, 2, 1, 1890, "パン屋"},
    {6, 6, 1, 8450, ""},
    {7, 4, 1, 320, ""},
    {7, 2, 3, 650, ""},
    {7, 2, 4, 432, "コンビニ"},
};

// November 2026, the month before: a working household's month.
std::vector<Receipt> November() {
    std::vector<Receipt> month;
    for (int day = 1; day <= 30; ++day) {
        const int weekday = (day - 1) % 7;  // 1 November 2026 is a Sunday
        if (weekday >= 1 && weekday <= 5) {
            month.push_back({day, 4, 1, 320, ""});
            month.push_back({day, 4, 1, 320, ""});
            month.push_back(day % 3 == 0 ? Receipt{day, 2, 3, 880, "ランチ"}
                                         : Receipt{day, 2, 3, 650, ""});
        }
        for (int shop : {3, 7, 10, 14, 17, 21, 24, 28})
            if (day == shop)
                month.push_back({day, 2, 1, 2000 + day * 37, "スーパー"});
        for (int shop : {4, 6, 11, 18, 20, 25})
            if (day == shop)
                month.push_back({day, 2, 4, 150 + day * 3, "コンビニ"});
        for (int shop : {8, 22})
            if (day == shop)
                month.push_back({day, 3, 1, 980 + day, "ドラッグストア"});
        const std::map<int, Receipt> once = {{1, {1, 2, 2, 2600, "ファミレス"}},
                                             {2, {2, 2, 1, 1200, "パン屋"}},
                                             {5, {5, 6, 2, 4800, ""}},
                                             {9, {9, 9, 2, 900, "スーパー銭湯"}},
                                             {12, {12, 2, 4, 650, "ドーナツ"}},
                                             {13, {13, 2, 2, 4800, "ピザ"}},
                                             {15, {15, 9, 1, 1320, "ネット通販"}},
                                             {16, {16, 2, 1, 1200, "コーヒー豆"}},
                                             {19, {19, 3, 1, 2300, "ホームセンター"}},
                                             {20, {20, 7, 1, 4378, ""}},
                                             {23, {23, 4, 3, 4200, "セルフ"}},
                                             {25, {25, 1, 1, 250000, ""}},
                                             {26, {26, 6, 1, 7900, ""}},
                                             {27, {27, 5, 1, 85000, ""}},
                                             {29, {29, 2, 2, 3100, "ファミレス"}},
                                             {30, {30, 2, 1, 1500, "パン屋"}}};
        if (const auto found = once.find(day); found != once.end())
            month.push_back(found->second);
    }
    return month;
}

std::string MasterFile() {
    std::string text;
    for (const auto& category : kMaster) {
        text += std::string(category[0]) + "\r\n";
        for (int d = 1; d < 6 && *category[d]; ++d)
            text += std::string(d > 1 ? "," : "") + category[d];
        text += "\r\n";
    }
    return Sjis(text);
}

std::string RecordOf(int month, const Receipt& receipt) {
    const auto& names = kMaster[receipt.category - 1];
    return testing::RecordBytes(
        {.date = "26" + TwoDigits(month) + TwoDigits(receipt.day),
         .category = TwoDigits(receipt.category),
         .categoryName = names[0] + 1,
         .description = TwoDigits(receipt.description),
         .descriptionName = names[receipt.description],
         .amount = (receipt.category == 1 ? "+" : "-") + std::to_string(receipt.amount),
         .remark = receipt.remark});
}

enum class Way { Before, Quick, QuickOneDigit };

// The keyboard, counting.
struct Keyboard {
    QWidget& window;
    int keys = 0;

    QLineEdit* Field(const char* name) const { return window.findChild<QLineEdit*>(name); }
    QWidget* Focus() const { return window.focusWidget(); }
    void Press(Qt::Key key) {
        QTest::keyClick(Focus(), key);
        ++keys;
    }
    void Digits(const std::string& digits) {
        for (char c : digits) {
            QTest::keyClick(Focus(), c);
            ++keys;
        }
    }
    // Romaji keys with the input method off, one at a time, until the remark
    // field shows `remark`; false when it never does or a key would compose.
    bool Romaji(const char* romaji, const QString& remark) {
        for (const char* c = romaji; *c; ++c) {
            if (testing::TakesInputMethod(Focus()))
                return false;
            QTest::keyClick(Focus(), *c);
            ++keys;
            if (Field("Text3")->text() == remark)
                return true;
        }
        return false;
    }
    // Romaji keys, a conversion key, and Enter to commit.
    void Commit(const char* text, const char* romaji) {
        keys += static_cast<int>(std::strlen(romaji)) + 2;
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8(text));
        QApplication::sendEvent(Focus(), &commit);
    }
};

// What the user knows of the book: the last item of each remark.
struct Booked {
    int category;
    int description;
    long long amount;
};

class WeekTyping {
  public:
    WeekTyping(Way way, QWidget& window) : way_(way), keyboard_{window} {
        for (const Receipt& receipt : November())
            Remember(receipt);
    }

    int keys() const { return keyboard_.keys; }

    // False when the window did not show what the user expects.
    bool Type() {
        // From today (7 December): Esc to the month, Enter to its first day, Enter.
        keyboard_.Press(Qt::Key_Escape);
        keyboard_.Press(Qt::Key_Return);
        keyboard_.Press(Qt::Key_Return);
        int day = 1;
        for (const Receipt& receipt : kWeek) {
            for (; day < receipt.day; ++day) {
                if (way_ == Way::Before) {
                    keyboard_.Press(Qt::Key_Home);
                    keyboard_.Press(Qt::Key_PageDown);
                    keyboard_.Press(Qt::Key_Return);
                } else {
                    keyboard_.Press(Qt::Key_PageDown);
                }
            }
            if (!Book(receipt))
                return false;
            Remember(receipt);
            booked_.push_back(&receipt);
        }
        return true;
    }

  private:
    void Remember(const Receipt& receipt) {
        if (!receipt.remark.empty())
            last_[receipt.remark] = {receipt.category, receipt.description, receipt.amount};
    }

    bool Book(const Receipt& receipt) {
        const bool quick = way_ != Way::Before;
        const int presses = quick ? InsPresses(receipt) : 0;
        const int insKeys = presses + AmountKeys(receipt, Shown(presses)) + 1;
        if (presses == 1)
            return Repeat(receipt, presses);
        const auto last = last_.find(receipt.remark);
        if (quick && !receipt.remark.empty() && last != last_.end() &&
            last->second.category == receipt.category &&
            last->second.description == receipt.description) {
            // The remark's romaji from the category field until it shows, then Tab.
            if (!keyboard_.Romaji(TypingOf(receipt.remark).romaji,
                                  QString::fromStdString(receipt.remark)))
                return false;
            keyboard_.Press(Qt::Key_Tab);
            Amount(receipt, last->second.amount);
            return Store();
        }
        if (presses > 0 && insKeys < NumberKeys(receipt))
            return Repeat(receipt, presses);
        Number(receipt.category, receipt.category == 1);
        Number(receipt.description, false);
        Amount(receipt, std::nullopt);
        if (!receipt.remark.empty()) {
            const RemarkTyping& typing = TypingOf(receipt.remark);
            if (quick && last != last_.end()) {
                keyboard_.Commit(typing.prefix, typing.prefixRomaji);
                keyboard_.Press(Qt::Key_Tab);
            } else {
                keyboard_.Commit(typing.remark, typing.romaji);
                if (keyboard_.Field("Text3")->hasSelectedText())
                    keyboard_.Press(Qt::Key_Delete);  // a longer remark offered
            }
            if (keyboard_.Field("Text3")->text() != QString::fromStdString(receipt.remark))
                return false;
        }
        return Store();
    }

    // The item the n-th Ins shows: the item above, then each time the nearest
    // earlier one that differs from it.
    const Receipt* Shown(int presses) const {
        const Receipt* shown = nullptr;
        for (auto item = booked_.rbegin(); item != booked_.rend() && presses > 0; ++item) {
            if (!shown || !Same(**item, *shown)) {
                shown = *item;
                --presses;
            }
        }
        return presses == 0 ? shown : nullptr;
    }
    static bool Same(const Receipt& a, const Receipt& b) {
        return a.category == b.category && a.description == b.description && a.amount == b.amount &&
               a.remark == b.remark;
    }
    // How many Ins bring the receipt's category, description and remark; 0: none do.
    int InsPresses(const Receipt& receipt) const {
        for (int presses = 1; const Receipt* shown = Shown(presses); ++presses) {
            if (shown->category == receipt.category && shown->description == receipt.description &&
                shown->remark == receipt.remark)
                return presses;
        }
        return 0;
    }
    bool Repeat(const Receipt& receipt, int presses) {
        for (int i = 0; i < presses; ++i)
            keyboard_.Press(Qt::Key_Insert);
        const auto& names = kMaster[receipt.category - 1];
        if (keyboard_.Field("Text1")->text() != QString::fromUtf8(names[0] + 1) ||
            keyboard_.Field("Text2")->text() != QString::fromUtf8(names[receipt.description]))
            return false;
        Amount(receipt, Shown(presses)->amount);
        return Store();
    }
    int AmountKeys(const Receipt& receipt, const Receipt* shown) const {
        return (shown && shown->amount == receipt.amount
                    ? 0
                    : static_cast<int>(std::to_string(receipt.amount).size())) +
               1;
    }
    int NumberKeys(const Receipt& receipt) const {
        const auto number = [this](int n, bool longer) {
            return static_cast<int>(std::to_string(n).size()) +
                   (way_ != Way::QuickOneDigit || n >= 10 || longer ? 1 : 0);
        };
        const int remark = receipt.remark.empty()
                               ? 0
                               : static_cast<int>(std::strlen(TypingOf(receipt.remark).romaji)) + 2;
        return number(receipt.category, receipt.category == 1) +
               number(receipt.description, false) + AmountKeys(receipt, nullptr) + remark + 1;
    }

    // `longer`: a two-digit number starts with this one's digit.
    void Number(int number, bool longer) {
        keyboard_.Digits(std::to_string(number));
        if (way_ != Way::QuickOneDigit || number >= 10 || longer)
            keyboard_.Press(Qt::Key_Return);
    }

    void Amount(const Receipt& receipt, std::optional<long long> shown) {
        if (shown != receipt.amount)
            keyboard_.Digits(std::to_string(receipt.amount));
        keyboard_.Press(Qt::Key_Return);
    }

    bool Store() {
        keyboard_.Press(Qt::Key_Return);
        return keyboard_.Focus() == keyboard_.Field("Text1");
    }

    Way way_;
    Keyboard keyboard_;
    std::map<std::string, Booked> last_;
    std::vector<const Receipt*> booked_;  // this month's, in the order stored
};

void TypeTheWeek(benchmark::State& state, Way way) {
    double keysPerItem = 0;
    for (auto _ : state) {
        testing::TempFolder dir;
        dir.Write("VERADIV.DAT", MasterFile());
        dir.Write("VERADIV.ENV", " 31 \r\n0,0\r\n");
        std::string november;
        for (const Receipt& receipt : November())
            november += RecordOf(11, receipt);
        dir.Write("202611.DAT", november);
        if (way == Way::QuickOneDigit)
            dir.Write("NYURYOKU.TXT", Sjis("1桁で次へ=1\r\n"));
        MainWindowOn window(dir.folder());
        if (!window.Show()) {
            state.SkipWithError("start-up failed");
            return;
        }
        WeekTyping typing(way, window.screen);
        if (!typing.Type()) {
            state.SkipWithError("the window did not show what was expected");
            return;
        }
        std::string expected;
        for (const Receipt& receipt : kWeek)
            expected += RecordOf(12, receipt);
        if (dir.Read("202612.DAT") != expected) {
            state.SkipWithError("the stored items differ from the week");
            return;
        }
        keysPerItem = static_cast<double>(typing.keys()) / std::size(kWeek);
    }
    state.counters["keys_per_item"] = keysPerItem;
}

BENCHMARK_CAPTURE(TypeTheWeek, before, Way::Before)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TypeTheWeek, quick, Way::Quick)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TypeTheWeek, option, Way::QuickOneDigit)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hanaki

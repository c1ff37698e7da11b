#include "find/find_command.h"

#include <QByteArrayView>
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>

#include "data/book/amount_format.h"
#include "data/formats/cp932.h"
#include "data/formats/fixed_field.h"
#include "data/formats/report_format.h"
#include "data/program/command_household.h"
#include "find/item_text_match.h"

namespace hanaki {
namespace {

// "YYYY MM" within the months a ledger file can name, as year * 12 + month - 1.
std::optional<int> MonthIndex(const std::string& year, const std::string& month) {
    auto number = [](const std::string& text) {
        return !text.empty() && text.size() <= 4 &&
                       text.find_first_not_of("0123456789") == std::string::npos
                   ? std::atoi(text.c_str())
                   : -1;
    };
    const int y = number(year);
    const int m = number(month);
    if (y < 1950 || y > 2049 || m < 1 || m > 12)
        return std::nullopt;
    return y * 12 + m - 1;
}

// A name as the record holds it, padded to `cells` (a byte of code page 932
// takes a terminal cell), then the two blanks between columns.
void AppendColumn(std::string_view cp932, std::size_t cells, std::string& out) {
    const std::string_view name = WithoutTrailingBlanks(cp932);
    out.append(name);
    out.append(std::max(cells, name.size()) - name.size() + 2, ' ');
}

void AppendRightAligned(std::string_view ascii, std::size_t cells, std::string& out) {
    out.append(std::max(cells, ascii.size()) - ascii.size(), ' ');
    out.append(ascii);
    out.append("  ");
}

void AppendMonth(const FoundRecord& found, std::string& out) {
    const char text[] = {char('0' + found.year / 1000),
                         char('0' + found.year / 100 % 10),
                         char('0' + found.year / 10 % 10),
                         char('0' + found.year % 10),
                         '/',
                         char('0' + found.month / 10),
                         char('0' + found.month % 10)};
    out.append(text, sizeof text);
}

void AppendNumber(long long value, std::string& out) {
    char text[24];
    out.append(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// A field of a CSV line as CsvLine writes it; a trail byte of code page 932
// is never below 0x40, so that no comma or quote is read inside a character.
void AppendCsvField(std::string_view cp932, std::string& out) {
    if (cp932.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(cp932);
        return;
    }
    out += '"';
    for (const char c : cp932) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// Writes the found items as they come, in pieces of about 64 KiB, so that a
// century of results is never held whole. Each line is put together in the
// output's code: the columns of the names, the same in month after month,
// are made once for each pair of names; only the remark is turned each time.
class FoundWriter {
  public:
    FoundWriter(const CategoryTable& categories, const FindRequest& request, std::ostream& out)
        : request_(request), out_(out) {
        // IsIncomeItem's answer for each category, looked up once: only a
        // category the master lacks goes by the record's sign.
        for (int category = 0; category <= kMaxCategories; ++category)
            incomeKind_[static_cast<std::size_t>(category)] =
                !categories.HasCategory(category)        ? kBySign
                : IsIncomeItem(categories, category, "") ? kIncome
                                                         : kExpense;
        if (request.csv)
            AppendUtf8(CsvLine(
                {"日付", "月度", "費目番号", "費目", "摘要番号", "摘要", "入金", "支出", "備考"}));
    }

    void Add(const FoundRecord& found) {
        ++count_;
        const ItemNumbers& numbers = found.fields.numbers;
        const char kind = incomeKind_[static_cast<std::size_t>(numbers.category)];
        const bool income =
            kind == kBySign ? found.fields.amount().front() == '+' : kind == kIncome;
        (income ? income_ : expense_) += double(numbers.amount);
        if (request_.csv)
            AddCsvLine(found, income);
        else
            AddTextLine(found, income);
        if (pending_.size() >= 1 << 16)
            Flush();
    }

    // The count line closes the text form; nothing at all when nothing was found.
    void Finish() {
        if (!request_.csv && count_ > 0)
            AppendUtf8(FoundTotalsLine(count_, 0, income_, expense_) + "\n");
        Flush();
        out_.flush();
    }

    std::size_t count() const { return count_; }

  private:
    static constexpr char kExpense = 0, kIncome = 1, kBySign = 2;

    void AppendUtf8(const std::string& utf8) {
        pending_ += request_.cp932 ? Utf8ToCp932Lossy(utf8) : utf8;
    }

    void AppendCp932(std::string_view cp932) {
        pending_.append(request_.cp932 ? cp932 : decoder_.Decode(cp932));
    }

    // The two name columns of the record, in the output's code.
    std::string_view Names(const RecordFields& fields) {
        NameColumns& names = names_[static_cast<std::size_t>(fields.numbers.category)]
                                   [static_cast<std::size_t>(fields.numbers.description)];
        const std::string_view raw = fields.bytes.substr(8, 26);  // both names and numbers between
        if (names.raw != raw) {
            names.raw = raw;
            std::string cp932;
            if (request_.csv) {
                AppendCsvField(WithoutTrailingBlanks(fields.categoryName()), cp932);
                cp932 += ',';
                AppendNumber(fields.numbers.description, cp932);
                cp932 += ',';
                AppendCsvField(WithoutTrailingBlanks(fields.descriptionName()), cp932);
            } else {
                AppendColumn(fields.categoryName(), 12, cp932);
                AppendColumn(fields.descriptionName(), 12, cp932);
            }
            names.output = request_.cp932 ? cp932 : std::string(decoder_.Decode(cp932));
        }
        return names.output;
    }

    void AddTextLine(const FoundRecord& found, bool income) {
        const RecordFields& fields = found.fields;
        AppendCalendarDate(fields.bytes.substr(0, 6), found.year, pending_);
        pending_.append("  ");
        AppendMonth(found, pending_);
        pending_.append("  ");
        pending_.append(Names(fields));
        const std::string amount = FormatGrouped(double(fields.numbers.amount));
        AppendRightAligned(income ? amount : "", 11, pending_);
        AppendRightAligned(income ? "" : amount, 11, pending_);
        AppendCp932(WithoutTrailingBlanks(fields.remark()));
        pending_.erase(pending_.find_last_not_of(' ') + 1);
        pending_ += '\n';
    }

    // As CsvLine would write the fields, without making each a string first.
    void AddCsvLine(const FoundRecord& found, bool income) {
        const RecordFields& fields = found.fields;
        AppendCalendarDate(fields.bytes.substr(0, 6), found.year, pending_);
        pending_ += ',';
        AppendMonth(found, pending_);
        pending_ += ',';
        AppendNumber(fields.numbers.category, pending_);
        pending_ += ',';
        pending_.append(Names(fields));
        pending_ += ',';
        if (income)
            AppendNumber(fields.numbers.amount, pending_);
        pending_ += ',';
        if (!income)
            AppendNumber(fields.numbers.amount, pending_);
        pending_ += ',';
        std::string_view remark = WithoutTrailingBlanks(fields.remark());
        std::string guarded;  // a remark a spreadsheet would run as a formula
        if (StartsLikeFormula(remark))
            remark = guarded = SpreadsheetText(remark);
        if (remark.find_first_of(",\"\r\n") == std::string_view::npos) {
            AppendCp932(remark);
        } else {
            std::string quoted;
            AppendCsvField(remark, quoted);
            AppendCp932(quoted);
        }
        pending_ += "\r\n";
    }

    void Flush() {
        out_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
        pending_.clear();
    }

    std::array<char, kMaxCategories + 1> incomeKind_{};  // by category number
    const FindRequest& request_;
    std::ostream& out_;
    std::string pending_;  // in the output's code
    Cp932Decoder decoder_;
    struct NameColumns {
        std::string raw;
        std::string output;
    };
    std::array<std::array<NameColumns, kMaxDescriptions + 1>, kMaxCategories + 1> names_;
    std::size_t count_ = 0;
    double income_ = 0;
    double expense_ = 0;
};

}  // namespace

bool IsFindArgument(const std::string& arg) {
    return arg == "--find" || arg == "--from" || arg == "--to";
}

std::string TakeFindArgument(const std::vector<std::string>& args, std::size_t& i,
                             std::optional<FindRequest>& find) {
    const std::string& arg = args[i];
    if (!find)
        find.emplace();
    if (arg == "--find") {
        if (i + 1 >= args.size())
            return "--find の後に探す文字がありません。";
        const std::string& text = args[++i];
        if (QByteArrayView(text.data(), static_cast<qsizetype>(text.size())).isValidUtf8()) {
            find->text = text;
            return {};
        }
        // A script run in a Shift_JIS locale passes the text in the data files' own code.
        std::string decoded = Cp932ToUtf8(text);
        if (decoded.find("\xEF\xBF\xBD") != std::string::npos)  // U+FFFD: no such character
            return "--find の文字を読み取れません。UTF-8 か Shift_JIS (cp932) で指定してください。";
        find->text = std::move(decoded);
        return {};
    }
    const std::optional<int> month =
        i + 2 < args.size() ? MonthIndex(args[i + 1], args[i + 2]) : std::nullopt;
    if (!month)
        return arg + " には年 (1950～2049) と月 (1～12) を指定してください。";
    (arg == "--from" ? find->span.first : find->span.last) = *month;
    i += 2;
    return {};
}

std::string FindRequestError(const FindRequest& find) {
    if (!find.text)
        return "--from と --to は --find と一緒に指定してください。";
    if (find.text->empty())
        return "--find には探す文字を指定してください。";
    if (find.span.first > find.span.last)
        return "--from の月度が --to の月度より後になっています。";
    return {};
}

std::string FoundTotalsLine(std::size_t items, std::size_t memoLines, double income,
                            double expense) {
    return "見つかった項目 " + std::to_string(items) + "件" +
           (memoLines > 0 ? "・メモ " + std::to_string(memoLines) + "行" : "") + "  入金合計 " +
           FormatGrouped(income) + "  支出合計 " + FormatGrouped(expense);
}

int RunFindCommand(const std::string& dataDir, const FindRequest& request, std::ostream& out,
                   std::ostream& err) {
    const DataFolder folder(dataDir, RealFileSystem());
    CategoryTable categories;
    if (!LoadCategoriesForCommand(folder, categories, err))
        return 1;
    ItemTextMatch match(request.text.value_or(""));
    FoundWriter writer(categories, request, out);
    bool leftOut = false;  // a file or a record that could not be searched
    SearchLedgers(
        folder, request.span, std::ref(match), [&](const FoundRecord& found) { writer.Add(found); },
        [&](const LedgerSearch& month) {
            for (const std::string& problem : month.problems)
                err << problem << "\n";
            leftOut = leftOut || !month.problems.empty();
        });
    writer.Finish();
    return leftOut || writer.count() == 0 ? 1 : 0;
}

}  // namespace hanaki

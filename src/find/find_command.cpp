#include "find/find_command.h"

#include <cstdlib>

#include "data/amount_format.h"
#include "data/cp932.h"
#include "data/fixed_field.h"
#include "find/item_text_match.h"
#include "summary/report_format.h"

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

// The lines are put together in code page 932, the records' own bytes, and
// turned into UTF-8 once as a whole: a century's results can be many.

// A name or remark as the record holds it, padded to `cells` (a byte of
// code page 932 takes a terminal cell).
std::string Field(std::string_view cp932, std::size_t cells = 0) {
    std::string field = TrimRight(cp932);
    if (field.size() < cells)
        field.append(cells - field.size(), ' ');
    return field;
}

std::string AlignRight(const std::string& ascii, std::size_t cells) {
    return ascii.size() >= cells ? ascii : std::string(cells - ascii.size(), ' ') + ascii;
}

std::string MonthText(const FoundItem& item) {
    return std::to_string(item.year) + "/" + TwoDigits(item.month);
}

// Writes the found items month by month as they come, in pieces of about
// 64 KiB, so that a century of results is never held whole.
class FoundWriter {
  public:
    FoundWriter(const CategoryTable& categories, const FindRequest& request, std::ostream& out)
        : categories_(categories), request_(request), out_(out) {
        // Code page 932 has no trail byte below 0x40: CsvLine's quoting reads its bytes rightly.
        if (request.csv)
            pending_ = Utf8ToCp932Lossy(CsvLine(
                {"日付", "月度", "費目番号", "費目", "摘要番号", "摘要", "入金", "支出", "備考"}));
    }

    void Add(const FoundItem& item) {
        ++count_;
        const bool income = IsIncomeItem(categories_, item);
        (income ? income_ : expense_) += double(item.numbers.amount);
        if (request_.csv)
            AddCsvLine(item, income);
        else
            AddTextLine(item, income);
        if (pending_.size() >= 1 << 16)
            Flush();
    }

    // The count line closes the text form; nothing at all when nothing was found.
    void Finish() {
        if (!request_.csv && count_ > 0)
            pending_ += Utf8ToCp932Lossy(FoundTotalsLine(count_, income_, expense_)) + "\n";
        Flush();
        out_.flush();
    }

    std::size_t count() const { return count_; }

  private:
    void AddTextLine(const FoundItem& item, bool income) {
        const std::string amount = FormatGrouped(double(item.numbers.amount));
        for (const std::string& piece :
             {CalendarDateText(item.record.date), MonthText(item),
              Field(item.record.categoryName, 12), Field(item.record.descriptionName, 12),
              AlignRight(income ? amount : "", 11), AlignRight(income ? "" : amount, 11)})
            pending_.append(piece).append("  ");
        pending_ += Field(item.record.remark);
        pending_.erase(pending_.find_last_not_of(' ') + 1);
        pending_ += '\n';
    }

    void AddCsvLine(const FoundItem& item, bool income) {
        const std::string amount = std::to_string(item.numbers.amount);
        pending_ +=
            CsvLine({CalendarDateText(item.record.date), MonthText(item),
                     std::to_string(item.numbers.category), Field(item.record.categoryName),
                     std::to_string(item.numbers.description), Field(item.record.descriptionName),
                     income ? amount : "", income ? "" : amount, Field(item.record.remark)});
    }

    void Flush() {
        out_ << (request_.cp932 ? pending_ : Cp932ToUtf8(pending_));
        pending_.clear();
    }

    const CategoryTable& categories_;
    const FindRequest& request_;
    std::ostream& out_;
    std::string pending_;  // code page 932
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
        find->text = args[++i];
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

std::string FoundTotalsLine(std::size_t count, double income, double expense) {
    return std::to_string(count) + "件  入金 " + FormatGrouped(income) + "  支出 " +
           FormatGrouped(expense);
}

int RunFindCommand(const std::string& dataDir, const FindRequest& request, std::ostream& out,
                   std::ostream& err) {
    const DataFolder folder(dataDir, RealFileSystem());
    CategoryTable categories;
    if (IoResult loaded = LoadCategoryTable(folder, categories); !loaded.ok()) {
        err << DescribeIoError(*loaded.error) << "\n";
        return 2;
    }
    ItemTextMatch match(request.text.value_or(""));
    FoundWriter writer(categories, request, out);
    bool readFailed = false;
    SearchLedgers(folder, request.span, std::ref(match), [&](const LedgerSearch& month) {
        for (const std::string& problem : month.problems)
            err << problem << "\n";
        readFailed = readFailed || month.readFailed;
        for (const FoundItem& item : month.items)
            writer.Add(item);
    });
    writer.Finish();
    if (readFailed)
        return 2;
    return writer.count() > 0 ? 0 : 1;
}

}  // namespace hanaki

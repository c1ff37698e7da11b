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

std::string FoundText(const std::vector<FoundItem>& items, const CategoryTable& categories) {
    std::string text;
    double incomeTotal = 0;
    double expenseTotal = 0;
    for (const FoundItem& item : items) {
        const std::string amount = FormatGrouped(double(item.numbers.amount));
        const bool income = IsIncomeItem(categories, item);
        (income ? incomeTotal : expenseTotal) += double(item.numbers.amount);
        std::string line = CalendarDateText(item.record.date) + "  " + MonthText(item) + "  " +
                           Field(item.record.categoryName, 12) + "  " +
                           Field(item.record.descriptionName, 12) + "  " +
                           AlignRight(income ? amount : "", 11) + "  " +
                           AlignRight(income ? "" : amount, 11) + "  " + Field(item.record.remark);
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + "\n";
    }
    return text + Utf8ToCp932Lossy(FoundTotalsLine(items.size(), incomeTotal, expenseTotal)) + "\n";
}

// Code page 932 has no trail byte below 0x40, so CsvLine's quoting reads its bytes rightly.
std::string FoundCsv(const std::vector<FoundItem>& items, const CategoryTable& categories) {
    std::string csv = Utf8ToCp932Lossy(
        CsvLine({"日付", "月度", "費目番号", "費目", "摘要番号", "摘要", "入金", "支出", "備考"}));
    for (const FoundItem& item : items) {
        const std::string amount = std::to_string(item.numbers.amount);
        const bool income = IsIncomeItem(categories, item);
        csv +=
            CsvLine({CalendarDateText(item.record.date), MonthText(item),
                     std::to_string(item.numbers.category), Field(item.record.categoryName),
                     std::to_string(item.numbers.description), Field(item.record.descriptionName),
                     income ? amount : "", income ? "" : amount, Field(item.record.remark)});
    }
    return csv;
}

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
    const LedgerSearch search = SearchLedgers(folder, request.span, std::ref(match));
    for (const std::string& problem : search.problems)
        err << problem << "\n";

    std::string text;
    if (request.csv)
        text = FoundCsv(search.items, categories);
    else if (!search.items.empty())
        text = FoundText(search.items, categories);
    out << (request.cp932 ? text : Cp932ToUtf8(text));
    out.flush();
    if (search.readFailed)
        return 2;
    return search.items.empty() ? 1 : 0;
}

}  // namespace hanaki

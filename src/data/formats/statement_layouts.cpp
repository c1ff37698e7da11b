#include "data/formats/statement_layouts.h"

#include <algorithm>
#include <array>

#include "data/disk/text_lines.h"
#include "data/formats/cp932.h"
#include "data/formats/fixed_field.h"
#include "data/formats/statement_fields.h"

namespace hanaki {
namespace {

constexpr int kLayoutFieldsBeforeHeader = 6;

// Column names as banks, card companies and household books write them,
// each list in the order of preference (after FoldFullWidth).
constexpr std::array<std::string_view, 11> kDateNames = {
    "日付",       "利用日",       "ご利用日", "取引日",   "お取引日",  "年月日",
    "利用年月日", "ご利用年月日", "取扱日",   "お取扱日", "取引年月日"};
constexpr std::array<std::string_view, 6> kIncomeNames = {"お預り金額", "お預入金額", "預入金額",
                                                          "入金金額",   "入金額",     "入金"};
constexpr std::array<std::string_view, 6> kExpenseNames = {"お支払金額", "お引出金額", "引出金額",
                                                           "出金金額",   "出金額",     "出金"};
// A card's charges: positive for what was bought, negative for a refund.
constexpr std::array<std::string_view, 5> kChargeNames = {"支払総額", "ご請求金額", "請求金額",
                                                          "ご利用金額", "利用金額"};
// A household book's signed amounts: negative for an expense.
constexpr std::array<std::string_view, 4> kSignedNames = {"金額(円)", "金額", "入出金額", "入出金"};
constexpr std::array<std::string_view, 11> kTextNames = {
    "摘要",       "お取引内容", "取引内容", "内容",   "利用店名・商品名", "ご利用店名・商品名",
    "ご利用店名", "利用店名",   "ご利用先", "利用先", "お取引先"};

std::string ColumnName(std::string_view cell) {
    const std::string folded = FoldFullWidth(cell);
    return std::string(TrimBlanks(folded));
}

template <std::size_t N>
int FindColumn(const std::vector<std::string>& names,
               const std::array<std::string_view, N>& wanted) {
    for (std::string_view name : wanted) {
        auto found = std::find(names.begin(), names.end(), name);
        if (found != names.end())
            return static_cast<int>(found - names.begin());
    }
    return -1;
}

std::optional<StatementLayout> LayoutOfHeader(const std::vector<std::string>& cells) {
    std::vector<std::string> names;
    for (const std::string& cell : cells)
        names.push_back(ColumnName(cell));
    StatementLayout layout;
    layout.header = cells;
    layout.dateColumn = FindColumn(names, kDateNames);
    layout.incomeColumn = FindColumn(names, kIncomeNames);
    layout.expenseColumn = FindColumn(names, kExpenseNames);
    if (layout.incomeColumn < 0 || layout.expenseColumn < 0) {
        layout.incomeColumn = layout.expenseColumn = -1;
        layout.amountColumn = FindColumn(names, kChargeNames);
        if (layout.amountColumn < 0) {
            layout.amountColumn = FindColumn(names, kSignedNames);
            layout.positiveIsExpense = false;
        }
    }
    if (int text = FindColumn(names, kTextNames); text >= 0)
        layout.textColumns.push_back(text);
    if (layout.dateColumn < 0 || (layout.amountColumn < 0 && layout.incomeColumn < 0))
        return std::nullopt;
    return layout;
}

// The header's cells as the file keeps them: one line, tabs between.
std::string HeaderKey(const std::vector<std::string>& header) {
    std::string key;
    for (std::size_t i = 0; i < header.size(); ++i) {
        std::string cell = header[i];
        std::replace_if(
            cell.begin(), cell.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; },
            ' ');
        key += (i ? "\t" : "") + cell;
    }
    return Utf8ToCp932Lossy(key);
}

std::optional<int> ParseColumn(std::string_view text) {
    std::optional<long long> value = ParseInteger(text);
    if (!value || *value < 0 || *value > static_cast<long long>(kStatementFieldLimit))
        return std::nullopt;
    return static_cast<int>(*value) - 1;
}

std::string ColumnText(int column) {
    return std::to_string(column + 1);
}

}  // namespace

bool StatementLayout::IsComplete() const {
    const int columns = static_cast<int>(header.size());
    auto inside = [&](int column) { return column >= 0 && column < columns; };
    const bool oneAmount = inside(amountColumn) && incomeColumn < 0 && expenseColumn < 0;
    const bool twoAmounts = amountColumn < 0 && inside(incomeColumn) && inside(expenseColumn) &&
                            incomeColumn != expenseColumn;
    return inside(dateColumn) && (oneAmount || twoAmounts) && !textColumns.empty() &&
           std::all_of(textColumns.begin(), textColumns.end(), inside);
}

std::optional<GuessedLayout> GuessStatementLayout(const StatementTable& table) {
    for (std::size_t row = 0; row < table.rows.size() && row < kHeaderSearchRows; ++row) {
        if (std::optional<StatementLayout> layout = LayoutOfHeader(table.rows[row].fields))
            return GuessedLayout{row, std::move(*layout)};
    }
    return std::nullopt;
}

std::vector<int> StatementLayouts::UnreadableLines() const {
    std::vector<int> unreadable;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (!lines[i].layout && !IsStatementNoteLine(lines[i].text))
            unreadable.push_back(static_cast<int>(i));
    return unreadable;
}

std::optional<StatementLayout> ParseStatementLayoutLine(std::string_view line) {
    std::vector<std::string_view> fields;
    for (int i = 0; i < kLayoutFieldsBeforeHeader; ++i) {
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos)
            return std::nullopt;
        fields.push_back(line.substr(0, comma));
        line.remove_prefix(comma + 1);
    }
    StatementLayout layout;
    std::optional<int> date = ParseColumn(fields[0]), amount = ParseColumn(fields[1]),
                       income = ParseColumn(fields[3]), expense = ParseColumn(fields[4]);
    const std::string_view sign = TrimBlanks(fields[2]);
    if (!date || !amount || !income || !expense || (sign != "+" && sign != "-"))
        return std::nullopt;
    layout.dateColumn = *date;
    layout.amountColumn = *amount;
    layout.positiveIsExpense = sign == "+";
    layout.incomeColumn = *income;
    layout.expenseColumn = *expense;
    std::string_view texts = fields[5];
    for (std::size_t plus; !texts.empty(); texts.remove_prefix(std::min(plus + 1, texts.size()))) {
        plus = texts.find('+');
        std::optional<int> column = ParseColumn(texts.substr(0, plus));
        if (!column || *column < 0)
            return std::nullopt;
        layout.textColumns.push_back(*column);
        if (plus == std::string_view::npos)
            break;
    }
    for (std::size_t tab;; line.remove_prefix(tab + 1)) {
        tab = line.find('\t');
        layout.header.push_back(Cp932ToUtf8(line.substr(0, tab)));
        if (tab == std::string_view::npos)
            break;
    }
    if (!layout.IsComplete())
        return std::nullopt;
    return layout;
}

std::string StatementLayoutLine(const StatementLayout& layout) {
    std::string texts;
    for (int column : layout.textColumns)
        texts += (texts.empty() ? "" : "+") + ColumnText(column);
    return ColumnText(layout.dateColumn) + "," + ColumnText(layout.amountColumn) + "," +
           (layout.positiveIsExpense ? "+" : "-") + "," + ColumnText(layout.incomeColumn) + "," +
           ColumnText(layout.expenseColumn) + "," + texts + "," + HeaderKey(layout.header);
}

StatementLayouts ParseStatementLayouts(std::string_view bytes) {
    StatementLayouts layouts;
    for (std::string& line : SplitLines(bytes)) {
        StatementLayoutsLine read{std::move(line), std::nullopt};
        if (!IsStatementNoteLine(read.text))
            read.layout = ParseStatementLayoutLine(read.text);
        layouts.lines.push_back(std::move(read));
    }
    return layouts;
}

std::string SerializeStatementLayouts(const StatementLayouts& layouts) {
    std::vector<std::string> lines;
    for (const StatementLayoutsLine& line : layouts.lines)
        lines.push_back(line.text);
    return JoinLinesCrLf(lines);
}

std::optional<GuessedLayout> FindRememberedLayout(const StatementLayouts& layouts,
                                                  const StatementTable& table) {
    std::vector<std::string> keys;
    for (const StatementLayoutsLine& line : layouts.lines)
        keys.push_back(line.layout ? HeaderKey(line.layout->header) : std::string());
    for (std::size_t row = 0; row < table.rows.size() && row < kHeaderSearchRows; ++row) {
        const std::string key = HeaderKey(table.rows[row].fields);
        for (std::size_t i = 0; i < layouts.lines.size(); ++i) {
            const StatementLayoutsLine& line = layouts.lines[i];
            if (line.layout && keys[i] == key) {
                GuessedLayout found{row, *line.layout};
                found.layout.header = table.rows[row].fields;
                return found;
            }
        }
    }
    return std::nullopt;
}

void RememberLayout(StatementLayouts& layouts, const StatementLayout& layout) {
    const std::string key = HeaderKey(layout.header);
    StatementLayoutsLine line{StatementLayoutLine(layout), layout};
    for (StatementLayoutsLine& old : layouts.lines) {
        if (old.layout && HeaderKey(old.layout->header) == key) {
            old = std::move(line);
            return;
        }
    }
    if (layouts.lines.empty())
        layouts.lines.push_back(
            {Utf8ToCp932Lossy("; 明細の形: 日付列,金額列,符号,入金列,出金列,文字列,見出し"),
             std::nullopt});
    layouts.lines.push_back(std::move(line));
}

IoResult LoadStatementLayouts(const DataFolder& folder, StatementLayouts& layouts) {
    std::string bytes;
    IoResult result = ReadOptionalFile(folder, kStatementLayoutsFileName, bytes);
    if (result.ok())
        layouts = ParseStatementLayouts(bytes);
    return result;
}

IoResult SaveStatementLayouts(const DataFolder& folder, const StatementLayouts& layouts) {
    return folder.Replace(kStatementLayoutsFileName, SerializeStatementLayouts(layouts),
                          {ChangeKind::Statement, "明細の形の記憶"});
}

}  // namespace hanaki

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/disk/change_note.h"
#include "data/disk/data_folder.h"
#include "data/formats/statement_table.h"

// Which columns of a statement hold the date, the amount and the text, and
// the file MEISAI.TXT that remembers them by the header's columns, so that
// the next statement of the same card reads with no question:
//
//   1,7,+,0,0,2,利用日<TAB>利用店名・商品名<TAB>利用者<TAB>…
//
// date column, signed amount column, its sign for an expense, income column,
// expense column (1-based, 0: none), the text columns joined by "+", then the
// header's columns separated by tabs up to the line's end. Code page 932,
// CR LF; lines starting with ";" are notes; a line that cannot be read is kept.
namespace hanaki {

inline constexpr std::string_view kStatementLayoutsFileName = "MEISAI.TXT";
// How far down a header is looked for: above it stand the account's name,
// the period and the like.
inline constexpr std::size_t kHeaderSearchRows = 30;

struct StatementLayout {
    std::vector<std::string> header;  // the header row's cells (UTF-8)
    int dateColumn = -1;              // 0-based, -1: none
    int amountColumn = -1;            // one signed column ...
    bool positiveIsExpense = true;    // a card's charge, not a household book's income
    int incomeColumn = -1;            // ... or two, one of them empty per row
    int expenseColumn = -1;
    std::vector<int> textColumns;  // joined with a blank

    // A date, an amount and a text to go by.
    bool IsComplete() const;
    friend bool operator==(const StatementLayout&, const StatementLayout&) = default;
};

// The header row of `table` (its index in table.rows) and the columns its
// names suggest, for a bank's, a card company's or a household book's
// statement; nullopt when no row of the first ones names a date and an amount.
struct GuessedLayout {
    std::size_t headerRow = 0;
    StatementLayout layout;
};
std::optional<GuessedLayout> GuessStatementLayout(const StatementTable& table);

struct StatementLayoutsLine {
    std::string text;  // as read (code page 932, no line end)
    std::optional<StatementLayout> layout;
};

struct StatementLayouts {
    std::vector<StatementLayoutsLine> lines;
    std::vector<int> UnreadableLines() const;
};

std::optional<StatementLayout> ParseStatementLayoutLine(std::string_view line);
std::string StatementLayoutLine(const StatementLayout& layout);
StatementLayouts ParseStatementLayouts(std::string_view bytes);
std::string SerializeStatementLayouts(const StatementLayouts& layouts);

// The remembered layout whose header is one of the first rows of `table`.
std::optional<GuessedLayout> FindRememberedLayout(const StatementLayouts& layouts,
                                                  const StatementTable& table);
// Replaces the layout of the same header, or adds it at the end.
void RememberLayout(StatementLayouts& layouts, const StatementLayout& layout);

// A missing file remembers nothing.
IoResult LoadStatementLayouts(const DataFolder& folder, StatementLayouts& layouts);
IoResult SaveStatementLayouts(const DataFolder& folder, const StatementLayouts& layouts);

}  // namespace hanaki

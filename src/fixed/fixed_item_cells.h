#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/formats/category_table.h"
#include "data/formats/fixed_items.h"

// A fixed item's fields as the editor shows and takes them, one column each.
// Texts are UTF-8.
namespace hanaki {

enum class FixedColumn { Day, Category, Description, Amount, Remark, Every, First, Last };
inline constexpr int kFixedColumns = 8;

// What a category or description the master no longer has shows, UTF-8.
inline constexpr char kDeletedName[] = "（削除済み）";

// The text of a grid cell: the category and description with their names
// (「（削除済み）」 when the master has none), the amount grouped.
std::string FixedCellText(const CategoryTable& categories, const FixedItem& item,
                          FixedColumn column);
// The text the cell's editor opens with: numbers without their names or commas.
std::string FixedEditText(const FixedItem& item, FixedColumn column);

// Takes `text` typed into `column`; on a refusal `item` stays as it was and
// the answer says why, in a sentence for a message box.
std::optional<std::string> SetFixedField(const CategoryTable& categories, FixedItem& item,
                                         FixedColumn column, std::string_view text);

// PageUp (-1) and PageDown (+1): the day through 1 … 31 and 末, how often
// through 1, 2, 3, 6, 12 months, the months a month at a time. False where
// the column has no steps or is at its end.
bool StepFixedField(FixedItem& item, FixedColumn column, int step);

// A new fixed item: every month from `month` on, on the 1st, category 1.
FixedItem NewFixedItem(int month);

// Whether two items are one but for the marks of what was entered or skipped.
bool SameButMarks(FixedItem a, FixedItem b);

// A grid row of the editor: the item and the line of the file it came from
// (-1 for a row added in the editor).
struct FixedRow {
    int origin = -1;
    FixedItem item;
};

// The file to write after editing what was `read`: the lines that are no
// items stay as they were, removed rows go, new rows come last. The marks of
// what was entered or skipped meanwhile are taken from `now`, the file as it
// is now. None when `now` differs from `read` in more than those marks.
std::optional<FixedItems> EditedFixedItems(const FixedItems& read, const FixedItems& now,
                                           const std::vector<FixedRow>& rows);

}  // namespace hanaki

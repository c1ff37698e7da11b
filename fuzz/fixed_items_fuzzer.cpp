// A fixed items file of any bytes: a save keeps every line it did not change,
// each item's line reads back as the item, and once every due occurrence is
// marked handled nothing is due any more.
#include "data/book/due_items.h"
#include "data/disk/text_lines.h"
#include "data/formats/fixed_items.h"
#include "fuzz_input.h"

using namespace hanaki;
using namespace hanaki::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const int closingDay = input.ClosingDay();
    const CivilDate today{1950 + input.Choose(100), 1 + input.Choose(12), 1 + input.Choose(28)};
    const std::string bytes(input.Rest());

    FixedItems items = ParseFixedItems(bytes);
    Require(SerializeFixedItems(items) == JoinLinesCrLf(SplitLines(bytes)),
            "a save keeps every line as read");
    for (const FixedItemsLine& line : items.lines)
        if (line.item)
            Require(ParseFixedItemLine(FixedItemLine(*line.item)) == line.item,
                    "an item's line reads back as the item");

    for (const DueOccurrence& due : DueOccurrences(items, closingDay, today))
        MarkHandled(*items.lines[due.line].item, due.month);
    const FixedItems saved = ParseFixedItems(SerializeFixedItems(items));
    Require(DueOccurrences(saved, closingDay, today).empty(),
            "nothing handled is due again after a save");
    return 0;
}

// A category master of any bytes: the table and its guides are built, and the
// file it is saved as reads back as the same table.
#include "data/formats/category_table.h"
#include "fuzz_input.h"

using namespace hanaki;
using namespace hanaki::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    CategoryTable table;
    ParseCategoryFile(input.Rest(), table);
    BuildCategoryGuides(table);
    Require(table.CategoryCount() <= kMaxCategories, "at most 20 categories");
    std::string saved = SerializeCategoryTable(table);

    CategoryTable again;
    ParseCategoryFile(saved, again);
    int count = table.CategoryCount();
    Require(again.CategoryCount() == count, "the categories read back");
    for (int c = 1; c <= count; ++c) {
        Require(again.names[c] == table.names[c] && again.IsExpense(c) == table.IsExpense(c),
                "names and kinds read back");
        int descriptions = table.DescriptionCount(c);
        Require(again.DescriptionCount(c) == descriptions, "descriptions read back");
        for (int d = 1; d <= descriptions; ++d)
            Require(again.descriptions[c][d] == table.descriptions[c][d], "descriptions read back");
    }
    Require(SerializeCategoryTable(again) == saved, "a second save changes nothing");
    return 0;
}

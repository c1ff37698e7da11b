#include "data/category_table.h"

#include "data/fixed_field.h"
#include "data/text_lines.h"

namespace hanaki {

int CategoryTable::CategoryCount() const {
    int count = 0;
    while (count < kMaxCategories && !names[count + 1].empty())
        ++count;
    return count;
}

int CategoryTable::DescriptionCount(int category) const {
    int count = 0;
    while (count < kMaxDescriptions && !descriptions[category][count + 1].empty())
        ++count;
    return count;
}

bool CategoryTable::HasCategory(int category) const {
    return category >= 1 && category <= CategoryCount();
}

bool CategoryTable::HasDescription(int category, int description) const {
    return HasCategory(category) && description >= 1 && description <= DescriptionCount(category);
}

void ParseCategoryFile(std::string_view bytes, CategoryTable& table) {
    int category = 0;
    int description = 0;
    for (const ListField& field : ReadListFields(bytes)) {
        char first = field.text.empty() ? '\0' : field.text.front();
        if (first == '+' || first == '-') {
            ++category;
            description = 0;
            if (category > kMaxCategories)
                continue;
            table.names[category] = field.text.substr(1);
            table.kinds[category] = first == '+' ? kIncome : kExpense;
        } else if (category >= 1 && category <= kMaxCategories) {
            ++description;
            if (description <= kMaxDescriptions)
                table.descriptions[category][description] = field.text;
        }
    }
}

std::string SerializeCategoryTable(const CategoryTable& table) {
    std::vector<std::string> lines;
    for (int c = 1; c <= kMaxCategories && !table.names[c].empty(); ++c) {
        lines.push_back((table.kinds[c] == kIncome ? "+" : "-") + table.names[c]);
        std::string descriptions;
        for (int d = 1; d <= kMaxDescriptions && !table.descriptions[c][d].empty(); ++d) {
            if (d > 1)
                descriptions += ',';
            descriptions += table.descriptions[c][d];
        }
        lines.push_back(descriptions);
    }
    return JoinLinesCrLf(lines);
}

IoResult LoadCategoryTable(const DataFolder& folder, CategoryTable& table) {
    std::string bytes;
    IoResult result = folder.Read(kCategoryFileName, bytes);
    if (!result.ok())
        return result;
    // The file alone decides the table: nothing of an earlier reading stays behind.
    table = CategoryTable{};
    ParseCategoryFile(bytes, table);
    BuildCategoryGuides(table);
    return result;
}

IoResult SaveCategoryTable(const DataFolder& folder, const CategoryTable& table) {
    return folder.Replace(kCategoryFileName, SerializeCategoryTable(table));
}

std::string BuildGuide(const std::array<std::string, 21>& names) {
    std::string guide;
    for (int n = 1; n <= 20 && !names[n].empty(); ++n) {
        int pad = 12 - static_cast<int>(names[n].size());
        guide += n == 1 ? " " : "  ";
        guide += RightAlignedTwo(n) + ". " + names[n] + std::string(pad > 0 ? pad : 0, ' ');
        if (n % 5 == 0)
            guide += "\r\n";
    }
    return guide;
}

void BuildCategoryGuides(CategoryTable& table) {
    table.categoryGuide = BuildGuide(table.names);
    for (int c = 1; c <= kMaxCategories; ++c)
        table.descriptionGuides[c] = BuildGuide(table.descriptions[c]);
}

}  // namespace hanaki

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/data_folder.h"

// The category master VERADIV.DAT: up to 20 categories (費目), each income or
// expense, each with up to 20 descriptions (摘要). Names are code page 932.
namespace hanaki {

constexpr int kMaxCategories = 20;
constexpr int kMaxDescriptions = 20;
constexpr std::size_t kNameBytes = 10;
inline constexpr std::string_view kCategoryFileName = "VERADIV.DAT";

constexpr std::int16_t kIncome = 0;
constexpr std::int16_t kExpense = -1;

struct CategoryTable {
    std::array<std::string, 21> names;  // index 0 unused
    std::array<std::int16_t, 21> kinds{};
    std::array<std::array<std::string, 21>, 21> descriptions;  // [category][description]

    // Pick lists shown while choosing (code page 932, lines end in CR LF).
    std::string categoryGuide;
    std::array<std::string, 21> descriptionGuides;

    bool IsExpense(int category) const { return kinds[category] != kIncome; }
    // Number of categories before the first empty name.
    int CategoryCount() const;
    int DescriptionCount(int category) const;
    // True when 1 ≤ c ≤ 20 and category c lies within the list.
    bool HasCategory(int category) const;
    bool HasDescription(int category, int description) const;
};

// Reads bytes by the list rule over a table (entries beyond 20 are ignored).
void ParseCategoryFile(std::string_view bytes, CategoryTable& table);
std::string SerializeCategoryTable(const CategoryTable& table);

// Loads VERADIV.DAT into the table and rebuilds the guides.
IoResult LoadCategoryTable(const DataFolder& folder, CategoryTable& table);
IoResult SaveCategoryTable(const DataFolder& folder, const CategoryTable& table);
void BuildCategoryGuides(CategoryTable& table);

// The guide for names 1 … up to the first empty one, five to a line.
std::string BuildGuide(const std::array<std::string, 21>& names);

}  // namespace hanaki

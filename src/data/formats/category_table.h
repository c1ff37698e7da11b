#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/disk/data_folder.h"

// The category master VERADIV.DAT: up to 20 categories (費目), each income or
// expense, each with up to 20 descriptions (摘要). Names are code page 932.
namespace hanaki {

constexpr int kMaxCategories = 20;
constexpr int kMaxDescriptions = 20;
constexpr std::size_t kNameBytes = 10;
inline constexpr std::string_view kCategoryFileName = "VERADIV.DAT";

// Stored as "+" (income) or "-" (expense) before the name.
enum class CategoryKind : std::int16_t { Income = 0, Expense = -1 };

struct CategoryTable {
    std::array<std::string, 21> names;                         // index 0 unused
    std::array<CategoryKind, 21> kinds{};                      // index 0 unused
    std::array<std::array<std::string, 21>, 21> descriptions;  // [category][description]

    // Pick lists shown while choosing (code page 932, lines end in CR LF).
    std::string categoryGuide;
    std::array<std::string, 21> descriptionGuides;

    bool IsExpense(int category) const { return kinds[category] != CategoryKind::Income; }
    // Whether an item counts as expense: by its category's kind, or by the
    // sign it was stored with ("-") when the master no longer names the category.
    bool IsExpenseItem(int category, std::string_view storedAmount) const {
        return names[category].empty() ? storedAmount.starts_with('-') : IsExpense(category);
    }
    // Number of categories before the first empty name.
    int CategoryCount() const;
    int DescriptionCount(int category) const;
    // True when 1 ≤ c ≤ 20 and category c lies within the list.
    bool HasCategory(int category) const;
    bool HasDescription(int category, int description) const;
};

// A category (description 0, with the number of its descriptions) or a
// description the table had no room for.
struct IgnoredEntry {
    int category = 0;
    int description = 0;
    std::string name;  // code page 932
    int descriptions = 0;
};

// What a reading could not take into the table as the file holds it.
struct CategoryReading {
    // The file was written as UTF-8 (by a text editor); its names were turned
    // into code page 932, so saving rewrites every name.
    bool fromUtf8 = false;
    // UTF-8 names without a code page 932 form, held with "?" in their place.
    std::vector<std::string> unconvertible;
    // Entries past the 20th category or the 20th description of a category.
    std::vector<IgnoredEntry> ignored;
};

// Reads bytes by the list rule over a table; see CategoryReading for what
// cannot be taken as it stands.
CategoryReading ParseCategoryFile(std::string_view bytes, CategoryTable& table);
std::string SerializeCategoryTable(const CategoryTable& table);

// Loads VERADIV.DAT into the table and rebuilds the guides.
IoResult LoadCategoryTable(const DataFolder& folder, CategoryTable& table);
IoResult LoadCategoryTable(const DataFolder& folder, CategoryTable& table,
                           CategoryReading& reading);
IoResult SaveCategoryTable(const DataFolder& folder, const CategoryTable& table);
void BuildCategoryGuides(CategoryTable& table);

// The guide for names 1 … up to the first empty one, five to a line.
std::string BuildGuide(const std::array<std::string, 21>& names);

}  // namespace hanaki

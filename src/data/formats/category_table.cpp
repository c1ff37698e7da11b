#include "data/formats/category_table.h"

#include "data/disk/text_lines.h"
#include "data/formats/cp932.h"
#include "data/formats/fixed_field.h"

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

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Well-formed UTF-8 with at least one multi-byte character. Code page 932
// text almost never passes: its lead bytes 0x81-0x9F cannot start a UTF-8
// character and its trail bytes below 0x80 cannot continue one.
bool IsMultiByteUtf8(std::string_view bytes) {
    bool multiByte = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const int length = byte < 0x80           ? 1
                           : (byte >> 5) == 0x06 ? 2
                           : (byte >> 4) == 0x0E ? 3
                           : (byte >> 3) == 0x1E ? 4
                                                 : 0;
        if (length == 0 || i + length > bytes.size())
            return false;
        for (int k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) >> 6) != 0x02)
                return false;
        }
        multiByte = multiByte || length > 1;
        i += length;
    }
    return multiByte;
}

// Fills the table from the fields by the list rule, each name through `name`.
template <typename Name>
void ReadFields(const std::vector<ListField>& fields, CategoryTable& table,
                std::vector<IgnoredEntry>& ignored, Name name) {
    int category = 0;
    int description = 0;
    for (const ListField& field : fields) {
        char first = field.text.empty() ? '\0' : field.text.front();
        if (first == '+' || first == '-') {
            ++category;
            description = 0;
            if (category > kMaxCategories) {
                ignored.push_back({category, 0, name(field.text.substr(1))});
                continue;
            }
            table.names[category] = name(field.text.substr(1));
            table.kinds[category] = first == '+' ? CategoryKind::Income : CategoryKind::Expense;
        } else if (category >= 1) {
            ++description;
            if (category > kMaxCategories)
                ignored.back().descriptions += field.text.empty() ? 0 : 1;
            else if (description <= kMaxDescriptions)
                table.descriptions[category][description] = name(field.text);
            else if (!field.text.empty())
                ignored.push_back({category, description, name(field.text)});
        }
    }
}

}  // namespace

CategoryReading ParseCategoryFile(std::string_view bytes, CategoryTable& table) {
    CategoryReading reading;
    const bool marked = bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark;
    if (marked)
        bytes.remove_prefix(kUtf8Mark.size());
    const std::vector<ListField> fields = ReadListFields(bytes);
    CategoryTable asStored = table;
    ReadFields(fields, asStored, reading.ignored,
               [](std::string_view text) { return std::string(text); });
    // The encoding is judged on what a save writes, never on entries a save
    // drops; and a file is UTF-8 only when its code page 932 form would not be
    // taken for UTF-8 in turn, so that what hanaki writes reads back as written.
    const std::string saved = SerializeCategoryTable(asStored);
    reading.fromUtf8 =
        (marked || IsMultiByteUtf8(saved)) && !IsMultiByteUtf8(Utf8ToCp932Lossy(saved));
    if (!reading.fromUtf8) {
        table = std::move(asStored);
        return reading;
    }
    reading.ignored.clear();
    ReadFields(fields, table, reading.ignored, [&](std::string_view text) {
        if (std::optional<std::string> converted = Utf8ToCp932(text))
            return *converted;
        reading.unconvertible.emplace_back(text);
        return Utf8ToCp932Lossy(text);
    });
    return reading;
}

std::string SerializeCategoryTable(const CategoryTable& table) {
    std::vector<std::string> lines;
    for (int c = 1; c <= kMaxCategories && !table.names[c].empty(); ++c) {
        lines.push_back((table.IsExpense(c) ? "-" : "+") + table.names[c]);
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
    CategoryReading reading;
    return LoadCategoryTable(folder, table, reading);
}

IoResult LoadCategoryTable(const DataFolder& folder, CategoryTable& table,
                           CategoryReading& reading) {
    std::string bytes;
    IoResult result = folder.Read(kCategoryFileName, bytes);
    if (!result.ok())
        return result;
    // The file alone decides the table: nothing of an earlier reading stays behind.
    table = CategoryTable{};
    reading = ParseCategoryFile(bytes, table);
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

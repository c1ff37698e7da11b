#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "data/formats/fixed_field.h"
#include "import/conversion.h"
#include "support/cp932_text.h"
#include "support/file_bytes.h"

namespace hanaki {

// So that a failed comparison shows the messages as text.
inline void PrintTo(const ConversionMessage& message, std::ostream* out) {
    *out << "{" << message.title << " | " << message.text
         << (message.failure ? " | failure}" : "}");
}

}  // namespace hanaki

// Foreign data folders as the import tests build them (code page 932 bytes).
namespace hanaki::testing {

// 1 給料 (基本給, 賞与), 2 食費 (朝食, 昼食, 夕食).
inline constexpr const char* kForeignCategories =
    "+給料\r\n基本給,賞与\r\n-食費\r\n朝食,昼食,夕食\r\n";

// One 40-byte record from UTF-8 fields, each padded (or cut) to its width.
inline std::string Foreign(const char* date, const char* category, const char* description,
                           const char* amount, const char* remark = "") {
    return FitField(date, 4) + FitField(category, 2) + FitField(description, 2) +
           FitField(amount, 9) + FitField(Sjis(remark), 23);
}

// Expense items of category 2, description 1, with the day as the amount.
inline std::string ForeignDays(const std::vector<std::string>& dates) {
    std::string bytes;
    for (const std::string& date : dates)
        bytes += Foreign(date.c_str(), "02", "01", ("-" + date.substr(2)).c_str());
    return bytes;
}

// The date fields of a ledger file, in file order.
inline std::vector<std::string> LedgerDates(const std::string& bytes) {
    std::vector<std::string> dates;
    for (std::size_t offset = 0; offset + 104 <= bytes.size(); offset += 104)
        dates.push_back(bytes.substr(offset, 6));
    return dates;
}

}  // namespace hanaki::testing

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hanaki {

// One CSV line of UTF-8 fields, ended by CR LF; a field is quoted only where
// it holds a comma, a quote or a line break, its quotes doubled.
std::string CsvLine(const std::vector<std::string>& fields);

// A text field that a spreadsheet would run as a formula (one beginning with
// = + - @, or a tab or CR that hides such a start) with "'" before it, so
// that it shows as the text it is. UTF-8 or code page 932 alike.
std::string SpreadsheetText(std::string_view text);
bool StartsLikeFormula(std::string_view text);

}  // namespace hanaki

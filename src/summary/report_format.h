#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The pieces every command-line report is written with: text aligned by the
// cells a terminal gives it, and CSV lines.
namespace hanaki {

// Terminal cells of UTF-8 text: full-width characters take two, as on screen.
std::size_t Cells(const std::string& utf8);
std::string PadRight(const std::string& utf8, std::size_t width);
std::string PadLeft(const std::string& utf8, std::size_t width);

// One CSV line of UTF-8 fields: quoted only where a field needs it, CR LF after.
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace hanaki

#pragma once

#include <string>
#include <vector>

namespace hanaki {

// One CSV line of UTF-8 fields, ended by CR LF; a field is quoted only where
// it holds a comma, a quote or a line break, its quotes doubled.
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace hanaki

#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "data/formats/csv_line.h"

// The pieces every command-line report is written with: text aligned by the
// cells a terminal gives it, and CSV lines (csv_line.h).
namespace hanaki {

// Terminal cells of UTF-8 text: East Asian wide characters take two (DisplayWidth).
std::size_t Cells(const std::string& utf8);
std::string PadRight(const std::string& utf8, std::size_t width);
std::string PadLeft(const std::string& utf8, std::size_t width);

}  // namespace hanaki

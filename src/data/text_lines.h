#pragma once

#include <string>
#include <string_view>
#include <vector>

// The plain-text files are read as "list input": fields end at a comma or at a
// line end, leading blanks of a field are skipped.
namespace hanaki {

struct ListField {
    std::string text;
    int line = 0;  // zero-based line the field came from
};

std::vector<ListField> ReadListFields(std::string_view bytes);

// Whole lines without their CR LF (a lone LF also ends a line).
std::vector<std::string> SplitLines(std::string_view bytes);

// Joins lines, each followed by CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

}  // namespace hanaki

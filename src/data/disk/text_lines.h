#pragma once

#include <string>
#include <string_view>
#include <vector>

// The plain-text files are read as "list input": fields end at a comma or at a
// line end, leading blanks (spaces and tabs) of a field are skipped. Files
// edited by hand or by older programs end their lines in CR LF, LF or CR alone;
// each of these ends a line.
namespace hanaki {

struct ListField {
    std::string text;
    int line = 0;  // zero-based line the field came from
};

std::vector<ListField> ReadListFields(std::string_view bytes);

// Whole lines without their line ends.
std::vector<std::string> SplitLines(std::string_view bytes);

// Joins lines, each followed by CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

// Without the spaces and tabs at either end.
std::string_view TrimListBlanks(std::string_view text);

}  // namespace hanaki

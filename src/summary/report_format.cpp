#include "summary/report_format.h"

#include "data/cp932.h"

namespace hanaki {
namespace {

std::string CsvField(const std::string& utf8) {
    if (utf8.find_first_of(",\"\r\n") == std::string::npos)
        return utf8;
    std::string quoted = "\"";
    for (char c : utf8) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

std::size_t Cells(const std::string& utf8) {
    return Utf8ToCp932Lossy(utf8).size();
}

std::string PadRight(const std::string& utf8, std::size_t width) {
    const std::size_t cells = Cells(utf8);
    return cells >= width ? utf8 : utf8 + std::string(width - cells, ' ');
}

std::string PadLeft(const std::string& utf8, std::size_t width) {
    const std::size_t cells = Cells(utf8);
    return cells >= width ? utf8 : std::string(width - cells, ' ') + utf8;
}

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i ? "," : "") + CsvField(fields[i]);
    return line + "\r\n";
}

}  // namespace hanaki

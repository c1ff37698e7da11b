#include "data/formats/report_format.h"

#include "data/formats/display_width.h"

namespace hanaki {
std::size_t Cells(const std::string& utf8) {
    return DisplayWidth(utf8);
}

std::string PadRight(const std::string& utf8, std::size_t width) {
    const std::size_t cells = Cells(utf8);
    return cells >= width ? utf8 : utf8 + std::string(width - cells, ' ');
}

std::string PadLeft(const std::string& utf8, std::size_t width) {
    const std::size_t cells = Cells(utf8);
    return cells >= width ? utf8 : std::string(width - cells, ' ') + utf8;
}

}  // namespace hanaki

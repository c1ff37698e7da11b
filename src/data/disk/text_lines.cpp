#include "data/disk/text_lines.h"

namespace hanaki {
namespace {

constexpr std::string_view kListBlanks = " \t";

}  // namespace

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

std::vector<ListField> ReadListFields(std::string_view bytes) {
    std::vector<ListField> fields;
    std::vector<std::string> lines = SplitLines(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view rest = lines[i];
        while (true) {
            std::size_t comma = rest.find(',');
            std::string_view field = rest.substr(0, comma);
            std::size_t first = field.find_first_not_of(kListBlanks);
            field = first == std::string_view::npos ? std::string_view() : field.substr(first);
            fields.push_back({std::string(field), static_cast<int>(i)});
            if (comma == std::string_view::npos)
                break;
            rest.remove_prefix(comma + 1);
        }
    }
    return fields;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::string_view TrimListBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kListBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kListBlanks) - first + 1);
}

}  // namespace hanaki

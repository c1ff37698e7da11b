#include "data/formats/fixed_field.h"

#include "data/formats/cp932.h"

namespace hanaki {

std::string CutToBytes(std::string_view text, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        std::size_t step = IsCp932LeadByte(text[end]) ? 2 : 1;
        if (end + step > maxBytes)
            break;
        end += step;
    }
    if (end > text.size())
        end = text.size();
    return std::string(text.substr(0, end));
}

std::string FitField(std::string_view text, std::size_t width) {
    std::string field = CutToBytes(text, width);
    field.resize(width, ' ');
    return field;
}

std::string TrimRight(std::string_view text) {
    std::size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

std::string_view TrimBlanks(std::string_view text) {
    std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos)
        return {};
    std::size_t end = text.find_last_not_of(' ');
    return text.substr(begin, end - begin + 1);
}

std::optional<long long> ParseInteger(std::string_view text) {
    text = TrimBlanks(text);
    bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty() || text.size() > 18)
        return std::nullopt;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::string TwoDigits(int value) {
    std::string text = std::to_string(value);
    return text.size() < 2 ? "0" + text : text;
}

std::string RightAlignedTwo(int value) {
    std::string text = std::to_string(value);
    return text.size() < 2 ? " " + text : text;
}

}  // namespace hanaki

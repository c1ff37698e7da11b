#include "data/formats/display_width.h"

#include <algorithm>
#include <array>
#include <utility>

namespace hanaki {
namespace {

// The East Asian Wide and Fullwidth ranges of the scripts a household book meets.
constexpr std::array<std::pair<char32_t, char32_t>, 12> kWide{{
    {0x1100, 0x115F},    // Hangul Jamo initials
    {0x2E80, 0x303E},    // CJK radicals, ideographic punctuation and space
    {0x3041, 0x33FF},    // kana, bopomofo, enclosed and compatibility CJK
    {0x3400, 0x4DBF},    // CJK extension A
    {0x4E00, 0x9FFF},    // CJK unified ideographs
    {0xA000, 0xA4CF},    // Yi
    {0xAC00, 0xD7A3},    // Hangul syllables
    {0xF900, 0xFAFF},    // CJK compatibility ideographs
    {0xFE30, 0xFE4F},    // CJK compatibility forms
    {0xFF00, 0xFF60},    // full-width forms
    {0xFFE0, 0xFFE6},    // full-width signs
    {0x20000, 0x3FFFD},  // CJK extensions B and later
}};

bool IsWide(char32_t c) {
    return std::any_of(kWide.begin(), kWide.end(),
                       [c](const auto& range) { return c >= range.first && c <= range.second; });
}

}  // namespace

std::size_t DisplayWidth(std::string_view utf8) {
    std::size_t cells = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        cells += IsWide(c) ? 2 : 1;
        i += length;
    }
    return cells;
}

}  // namespace hanaki

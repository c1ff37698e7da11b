#pragma once

#include <cstddef>
#include <string_view>

namespace hanaki {

// Terminal cells of UTF-8 text: two for East Asian wide and full-width
// characters, one for the rest (※ ① α ○ ─ are one cell, unlike their two
// code page 932 bytes).
std::size_t DisplayWidth(std::string_view utf8);

}  // namespace hanaki

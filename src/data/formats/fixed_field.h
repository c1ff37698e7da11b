#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Fixed-width text fields in code page 932 bytes.
namespace hanaki {

// Cuts at most `maxBytes` bytes without splitting a double-byte character.
std::string CutToBytes(std::string_view text, std::size_t maxBytes);

// Pads with blanks or cuts to exactly `width` bytes. A cut that would leave
// half a double-byte character puts a blank in place of the lone lead byte.
std::string FitField(std::string_view text, std::size_t width);

// Removes trailing blanks (0x20).
std::string TrimRight(std::string_view text);

// Removes leading and trailing blanks.
std::string_view TrimBlanks(std::string_view text);

// The whole field as a decimal integer: blanks around it, an optional "-",
// then digits only. Empty or anything else gives nullopt.
std::optional<long long> ParseInteger(std::string_view text);

// Number of bytes a right-aligned or left-aligned number takes is the
// caller's business; these build the "00" and "@@" forms.
std::string TwoDigits(int value);        // 5 -> "05"
std::string RightAlignedTwo(int value);  // 5 -> " 5"

}  // namespace hanaki

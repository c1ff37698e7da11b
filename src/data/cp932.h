#pragma once

#include <optional>
#include <string>
#include <string_view>

// Code page 932 (Japanese Windows) is the encoding of every data file. Text
// crosses to and from UTF-8 only where it meets the screen or the terminal.
namespace hanaki {

// True for the first byte of a double-byte character.
bool IsCp932LeadByte(unsigned char byte);

// UTF-8 to code page 932; nullopt when a character has no code page 932 form
// (an emoji, 𠮷, …) so that nothing is silently replaced.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

// Code page 932 to UTF-8; a byte sequence without a mapping becomes U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);

// UTF-8 text that may only be shown (messages, headings) to code page 932,
// with unmappable characters replaced by "?".
std::string Utf8ToCp932Lossy(std::string_view utf8);

}  // namespace hanaki

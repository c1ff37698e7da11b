#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// Code page 932 to UTF-8 as Cp932ToUtf8 converts it, each character looked
// up once and then remembered: a century of found items holds a few hundred
// distinct characters, and iconv costs more per character than the table.
class Cp932Decoder {
  public:
    Cp932Decoder();
    // `cp932` as UTF-8, in a buffer of the decoder's that the next call reuses.
    std::string_view Decode(std::string_view cp932);

  private:
    // Every character of code page 932 is in Unicode's first plane: three bytes at most.
    struct Utf8Character {
        std::array<char, 3> bytes{};
        std::uint8_t length = 0;  // 0: not met yet
    };
    const Utf8Character& Learn(Utf8Character& entry, std::string_view character);

    std::vector<Utf8Character> table_;  // by a byte, or lead byte * 256 + trail byte
    std::string decoded_;               // grows, never shrinks: no bytes set twice
};

// UTF-8 text that may only be shown (messages, headings) to code page 932,
// with unmappable characters replaced by "?".
std::string Utf8ToCp932Lossy(std::string_view utf8);

}  // namespace hanaki

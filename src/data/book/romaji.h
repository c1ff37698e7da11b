#pragma once

#include <string>
#include <string_view>
#include <vector>

// Romaji as a Japanese input method in kana mode reads it: the usual
// spellings (si/shi, ti/chi, tu/tsu, hu/fu, zi/ji, nn/n'), a doubled
// consonant for っ, "-" for ー. Lets a remark typed with the input method
// off be completed from the kana remarks it begins.
namespace hanaki {

struct RomajiReading {
    std::u32string kana;  // hiragana; a letter no syllable takes stays as typed
    std::string pending;  // the letters at the end still waiting for their vowel
    bool romaji = true;   // false when a letter or sign was left as typed
};

// Capital letters read as small ones.
RomajiReading ReadRomaji(std::string_view typed);

// The hiragana texts that `typed` may begin as the user goes on typing: the
// syllables read and each one the pending letters start. Empty when `typed`
// is not romaji.
std::vector<std::u32string> RomajiPrefixes(std::string_view typed);

// Katakana for hiragana, so that a reading meets a remark in either.
std::u32string KatakanaOf(std::u32string text);

}  // namespace hanaki

#include "data/book/romaji.h"

#include <algorithm>
#include <utility>

namespace hanaki {
namespace {

struct Syllable {
    std::string_view latin;
    std::u32string_view kana;
};

// clang-format off
constexpr Syllable kSyllables[] = {
    {"a", U"あ"}, {"i", U"い"}, {"u", U"う"}, {"e", U"え"}, {"o", U"お"},
    {"ka", U"か"}, {"ki", U"き"}, {"ku", U"く"}, {"ke", U"け"}, {"ko", U"こ"},
    {"kya", U"きゃ"}, {"kyu", U"きゅ"}, {"kyo", U"きょ"},
    {"sa", U"さ"}, {"si", U"し"}, {"shi", U"し"}, {"su", U"す"}, {"se", U"せ"}, {"so", U"そ"},
    {"sya", U"しゃ"}, {"syu", U"しゅ"}, {"syo", U"しょ"},
    {"sha", U"しゃ"}, {"shu", U"しゅ"}, {"she", U"しぇ"}, {"sho", U"しょ"},
    {"ta", U"た"}, {"ti", U"ち"}, {"chi", U"ち"}, {"tu", U"つ"}, {"tsu", U"つ"}, {"te", U"て"},
    {"to", U"と"}, {"tya", U"ちゃ"}, {"tyu", U"ちゅ"}, {"tyo", U"ちょ"},
    {"cha", U"ちゃ"}, {"chu", U"ちゅ"}, {"che", U"ちぇ"}, {"cho", U"ちょ"},
    {"thi", U"てぃ"}, {"thu", U"てゅ"},
    {"na", U"な"}, {"ni", U"に"}, {"nu", U"ぬ"}, {"ne", U"ね"}, {"no", U"の"},
    {"nya", U"にゃ"}, {"nyu", U"にゅ"}, {"nyo", U"にょ"}, {"nn", U"ん"}, {"n'", U"ん"},
    {"ha", U"は"}, {"hi", U"ひ"}, {"hu", U"ふ"}, {"fu", U"ふ"}, {"he", U"へ"}, {"ho", U"ほ"},
    {"hya", U"ひゃ"}, {"hyu", U"ひゅ"}, {"hyo", U"ひょ"},
    {"fa", U"ふぁ"}, {"fi", U"ふぃ"}, {"fe", U"ふぇ"}, {"fo", U"ふぉ"}, {"fyu", U"ふゅ"},
    {"ma", U"ま"}, {"mi", U"み"}, {"mu", U"む"}, {"me", U"め"}, {"mo", U"も"},
    {"mya", U"みゃ"}, {"myu", U"みゅ"}, {"myo", U"みょ"},
    {"ya", U"や"}, {"yu", U"ゆ"}, {"ye", U"いぇ"}, {"yo", U"よ"},
    {"ra", U"ら"}, {"ri", U"り"}, {"ru", U"る"}, {"re", U"れ"}, {"ro", U"ろ"},
    {"rya", U"りゃ"}, {"ryu", U"りゅ"}, {"ryo", U"りょ"},
    {"wa", U"わ"}, {"wi", U"うぃ"}, {"we", U"うぇ"}, {"wo", U"を"},
    {"ga", U"が"}, {"gi", U"ぎ"}, {"gu", U"ぐ"}, {"ge", U"げ"}, {"go", U"ご"},
    {"gya", U"ぎゃ"}, {"gyu", U"ぎゅ"}, {"gyo", U"ぎょ"},
    {"za", U"ざ"}, {"zi", U"じ"}, {"ji", U"じ"}, {"zu", U"ず"}, {"ze", U"ぜ"}, {"zo", U"ぞ"},
    {"zya", U"じゃ"}, {"zyu", U"じゅ"}, {"zyo", U"じょ"},
    {"ja", U"じゃ"}, {"ju", U"じゅ"}, {"je", U"じぇ"}, {"jo", U"じょ"},
    {"da", U"だ"}, {"di", U"ぢ"}, {"du", U"づ"}, {"de", U"で"}, {"do", U"ど"},
    {"dya", U"ぢゃ"}, {"dyu", U"ぢゅ"}, {"dyo", U"ぢょ"}, {"dhi", U"でぃ"}, {"dhu", U"でゅ"},
    {"ba", U"ば"}, {"bi", U"び"}, {"bu", U"ぶ"}, {"be", U"べ"}, {"bo", U"ぼ"},
    {"bya", U"びゃ"}, {"byu", U"びゅ"}, {"byo", U"びょ"},
    {"pa", U"ぱ"}, {"pi", U"ぴ"}, {"pu", U"ぷ"}, {"pe", U"ぺ"}, {"po", U"ぽ"},
    {"pya", U"ぴゃ"}, {"pyu", U"ぴゅ"}, {"pyo", U"ぴょ"},
    {"va", U"ゔぁ"}, {"vi", U"ゔぃ"}, {"vu", U"ゔ"}, {"ve", U"ゔぇ"}, {"vo", U"ゔぉ"},
    {"xa", U"ぁ"}, {"xi", U"ぃ"}, {"xu", U"ぅ"}, {"xe", U"ぇ"}, {"xo", U"ぉ"},
    {"la", U"ぁ"}, {"li", U"ぃ"}, {"lu", U"ぅ"}, {"le", U"ぇ"}, {"lo", U"ぉ"},
    {"xya", U"ゃ"}, {"xyu", U"ゅ"}, {"xyo", U"ょ"}, {"lya", U"ゃ"}, {"lyu", U"ゅ"}, {"lyo", U"ょ"},
    {"xtu", U"っ"}, {"ltu", U"っ"}, {"xwa", U"ゎ"}, {"-", U"ー"},
};
// clang-format on

constexpr std::u32string_view kSmallTsu = U"っ";
constexpr std::size_t kLongest = 3;

bool IsVowel(char c) {
    return c == 'a' || c == 'i' || c == 'u' || c == 'e' || c == 'o';
}

bool IsConsonant(char c) {
    return c >= 'a' && c <= 'z' && !IsVowel(c);
}

bool BeginsSyllable(std::string_view letters) {
    return std::any_of(std::begin(kSyllables), std::end(kSyllables),
                       [letters](const Syllable& s) { return s.latin.starts_with(letters); });
}

const Syllable* SyllableAt(std::string_view rest) {
    for (std::size_t length = std::min(kLongest, rest.size()); length > 0; --length) {
        for (const Syllable& s : kSyllables) {
            if (s.latin == rest.substr(0, length))
                return &s;
        }
    }
    return nullptr;
}

}  // namespace

RomajiReading ReadRomaji(std::string_view original) {
    std::string typed(original);
    for (char& c : typed) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    RomajiReading reading;
    for (std::size_t i = 0; i < typed.size();) {
        const char c = typed[i];
        const char next = i + 1 < typed.size() ? typed[i + 1] : '\0';
        // kk, tt, pp … and tch: a small tsu, the second consonant begins the syllable.
        if (IsConsonant(c) && c != 'n' && (next == c || (c == 't' && next == 'c'))) {
            reading.kana += kSmallTsu;
            ++i;
            continue;
        }
        // n before a consonant other than y: ん, as in konbini.
        if (c == 'n' && IsConsonant(next) && next != 'y' && next != 'n') {
            reading.kana += U'ん';
            ++i;
            continue;
        }
        const std::string_view rest = std::string_view(typed).substr(i);
        if (const Syllable* syllable = SyllableAt(rest)) {
            reading.kana += syllable->kana;
            i += syllable->latin.size();
            continue;
        }
        if (BeginsSyllable(rest)) {
            reading.pending = rest;
            break;
        }
        reading.kana += static_cast<char32_t>(static_cast<unsigned char>(original[i]));
        reading.romaji = false;
        ++i;
    }
    return reading;
}

std::vector<std::u32string> RomajiPrefixes(std::string_view typed) {
    const RomajiReading reading = ReadRomaji(typed);
    if (!reading.romaji || typed.empty())
        return {};
    if (reading.pending.empty())
        return {reading.kana};
    // The pending letters stand for any syllable they begin, or a small tsu when doubled.
    std::vector<std::u32string> prefixes;
    for (const Syllable& s : kSyllables) {
        if (s.latin.starts_with(reading.pending))
            prefixes.push_back(reading.kana + std::u32string(s.kana));
    }
    if (reading.pending.size() == 1 && IsConsonant(reading.pending[0]) && reading.pending != "n")
        prefixes.push_back(reading.kana + std::u32string(kSmallTsu));
    return prefixes;
}

std::u32string KatakanaOf(std::u32string text) {
    for (char32_t& c : text) {
        if (c >= U'ぁ' && c <= U'ゖ')
            c += U'ァ' - U'ぁ';
    }
    return text;
}

}  // namespace hanaki

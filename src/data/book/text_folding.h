#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

// Texts compared as find and the remark memory compare them: each character
// as code page 932 stores it, Unicode NFKC, then case folding, so that "ｶﾞｿﾘﾝ"
// and "ガソリン", "ＡＢＣ" and "abc", "〜" typed and "～" read back are the same.
// The Unicode tables are Qt's: the fold of one text is given in (ui/text_folding.h).
namespace hanaki {

// Folds UTF-8 text.
using TextFold = std::u32string (*)(std::string_view utf8);

// Code page 932 text, folded character by character through a table that
// learns each character the first time it meets it: the ledgers of a century
// hold a few hundred distinct characters, folded once each, under a few
// dozen lead bytes, so the table is made a lead byte's page at a time.
class Cp932Folding {
  public:
    explicit Cp932Folding(TextFold fold);
    // Replaces `out` with the folded `cp932`.
    void Fold(std::string_view cp932, std::u32string& out);

  private:
    struct Entry {
        std::uint32_t offset = 0;
        std::uint16_t length = 0;
        bool known = false;
    };
    const Entry& Learn(Entry& entry, std::string_view character);

    using Page = std::array<Entry, 256>;
    Entry& EntryOf(std::uint32_t code);

    TextFold fold_;
    std::array<bool, 256> leadBytes_{};
    // By character code (a byte, or lead byte * 256 + trail byte) over 256:
    // the single bytes are page 0, never a lead byte.
    std::array<std::unique_ptr<Page>, 256> pages_;
    // A character followed by a half-width voiced mark, which NFKC joins into one.
    std::unordered_map<std::uint32_t, Entry> marked_;
    std::u32string folded_;  // what the entries point into
};

}  // namespace hanaki

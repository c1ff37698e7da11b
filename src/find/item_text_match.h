#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "data/book/ledger_search.h"
#include "data/book/text_folding.h"
#include "ui/text_folding.h"

// The find rule: an item matches when its remark, category name or
// description name (as the record stores them) contains the text, both
// folded; an amount as the program prints it ("12,345", "￥12,345" or
// digits alone) also finds the items of that amount.
namespace hanaki {

class ItemTextMatch {
  public:
    explicit ItemTextMatch(std::string_view utf8Text);
    // A text that folds to nothing finds nothing.
    bool empty() const { return text_.empty(); }
    bool operator()(const RecordFields& fields);
    // A memo line (code page 932), by its text alone.
    bool MatchesLine(std::string_view cp932Line) { return !text_.empty() && Contains(cp932Line); }

  private:
    bool Contains(std::string_view cp932Field);
    bool NamesMatch(const RecordFields& fields);

    std::u32string text_;
    std::optional<long long> amount_;
    Cp932Folding folding_{FoldText};
    std::u32string folded_;
    // The names of the same category and description repeat in every month:
    // each pair is folded once while its bytes stay the same.
    struct NameMemo {
        std::array<char, 24> names{};
        bool known = false;
        bool matches = false;
    };
    std::array<std::array<NameMemo, 21>, 21> names_{};
};

}  // namespace hanaki

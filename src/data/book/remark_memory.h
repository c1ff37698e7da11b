#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "data/book/text_folding.h"
#include "data/disk/data_folder.h"
#include "data/formats/category_table.h"
#include "data/formats/ledger.h"

// What the household wrote in its remarks and what it booked with them, from
// its own ledgers: the remarks that begin with what is typed, and the item a
// remark (or a text that names one) was last booked as. Texts are compared
// folded as find folds them. Held in memory only, never written.
namespace hanaki {

// An earlier item a remark proposes, as its record holds it.
struct RemarkProposal {
    int category = 0;     // 1 … 20, still in the master
    int description = 0;  // 1 … 20, still in the master
    std::string amount;   // "+" or "-", then digits
    std::string remark;   // code page 932, trailing blanks removed
};

class RemarkMemory {
  public:
    explicit RemarkMemory(TextFold fold);

    // Forgets everything; the `months` accounting months up to and including
    // (year, month) (years since 1900) are read from `folder` when first asked
    // for. A month that cannot be read is left out.
    void Read(const DataFolder& folder, int closingDay, int year, int month, int months = 12);
    // What is remembered of accounting month (year, month) becomes the items
    // of `ledger`, which its file holds: after an item is stored, corrected,
    // deleted or undone, or the month is opened.
    void PutMonth(int year, int month, const MonthLedger& ledger);

    // Remarks (code page 932) beginning with `typed` and longer than it, the
    // most used first and, among as many uses, the most recent first; each as
    // it was last written.
    std::vector<std::string> Completions(std::string_view typed, std::size_t limit = 8);
    // Remarks whose kana (hiragana and katakana alike) begin as the romaji
    // `typed` with the input method off reads, ranked as Completions ranks.
    std::vector<std::string> ReadingCompletions(std::string_view typed, std::size_t limit = 8);
    // The last item whose remark is `remark`, of a category and description
    // the master still has.
    std::optional<RemarkProposal> LastItemWith(std::string_view remark,
                                               const CategoryTable& master);
    // The category and description (and the last amount) for a text from
    // outside, a statement line say: the item of the remark the text is, or
    // else of the longest remembered remark the text contains.
    std::optional<RemarkProposal> ProposalFor(std::string_view text, const CategoryTable& master);

  private:
    struct Use {
        std::string remark;
        int category = 0;
        int description = 0;
        std::string amount;
        long long order = 0;  // later items larger
    };
    struct Remark {
        std::u32string folded;
        std::u32string reading;        // folded, hiragana as katakana
        std::vector<const Use*> uses;  // oldest first
    };
    void ReadUnread();
    void Index();
    static std::vector<std::string> Ranked(std::vector<const Remark*> found, std::size_t limit);
    std::optional<RemarkProposal> LastLive(const Remark& remark, const CategoryTable& master) const;

    Cp932Folding folding_;
    // Until first asked, the months to read: a month put meanwhile is read
    // from its file then, as the window would have given it.
    std::optional<DataFolder> folder_;
    int closingDay_ = 0;
    std::set<int> unread_;                    // by year * 100 + month
    std::map<int, std::vector<Use>> months_;  // by year * 100 + month
    std::unordered_map<std::u32string, Remark> remarks_;
    bool indexed_ = false;
    std::u32string folded_;
};

}  // namespace hanaki

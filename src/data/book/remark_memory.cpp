#include "data/book/remark_memory.h"

#include <algorithm>
#include <utility>

#include "data/book/ledger_search.h"
#include "data/book/romaji.h"
#include "data/formats/calendar.h"

namespace hanaki {

RemarkMemory::RemarkMemory(TextFold fold) : folding_(fold) {}

void RemarkMemory::Read(const DataFolder& folder, int closingDay, int year, int month, int months) {
    months_.clear();
    remarks_.clear();
    indexed_ = false;
    folder_ = folder;
    closingDay_ = closingDay;
    unread_.clear();
    for (int i = 0; i < months; ++i) {
        unread_.insert(year * 100 + month);
        StepMonth(year, month, -1);
    }
}

void RemarkMemory::ReadUnread() {
    // Taken first: PutMonth below must not note the months again.
    const std::set<int> unread = std::exchange(unread_, {});
    for (const int key : unread) {
        MonthLedger ledger;
        if (LoadMonthLedger(*folder_, closingDay_, key / 100, key % 100, ledger).ok())
            PutMonth(key / 100, key % 100, ledger);
    }
}

void RemarkMemory::PutMonth(int year, int month, const MonthLedger& ledger) {
    if (!unread_.empty()) {
        // Its file holds what it is given: read with the others, once.
        unread_.insert(year * 100 + month);
        return;
    }
    std::vector<Use>& uses = months_[year * 100 + month];
    uses.clear();
    long long position = 0;
    WalkChain(ledger, [&](int, const LedgerSlot& entry) {
        ++position;
        const std::string_view remark = WithoutTrailingBlanks(entry.record.remark);
        const std::optional<ItemNumbers> numbers = ReadItemNumbers(entry.record);
        if (entry.unreadable || remark.empty() || !numbers)
            return;
        // The chain is in date order; the month and the place in it order the uses.
        const long long order = (static_cast<long long>(year) * 100 + month) * 4096 + position;
        uses.push_back(Use{std::string(remark), numbers->category, numbers->description,
                           std::string(WithoutTrailingBlanks(entry.record.amount)), order});
    });
    indexed_ = false;
}

void RemarkMemory::Index() {
    ReadUnread();
    if (indexed_)
        return;
    remarks_.clear();
    std::vector<const Use*> all;
    for (const auto& [month, uses] : months_)
        for (const Use& use : uses)
            all.push_back(&use);
    std::sort(all.begin(), all.end(),
              [](const Use* a, const Use* b) { return a->order < b->order; });
    for (const Use* use : all) {
        folding_.Fold(use->remark, folded_);
        Remark& remark = remarks_[folded_];
        if (remark.uses.empty()) {
            remark.folded = folded_;
            remark.reading = KatakanaOf(folded_);
        }
        remark.uses.push_back(use);
    }
    indexed_ = true;
}

std::vector<std::string> RemarkMemory::Completions(std::string_view typed, std::size_t limit) {
    Index();
    folding_.Fold(WithoutTrailingBlanks(typed), folded_);
    if (folded_.empty())
        return {};
    std::vector<const Remark*> found;
    for (const auto& [folded, remark] : remarks_) {
        if (folded.size() > folded_.size() && folded.starts_with(folded_))
            found.push_back(&remark);
    }
    return Ranked(std::move(found), limit);
}

std::vector<std::string> RemarkMemory::ReadingCompletions(std::string_view typed,
                                                          std::size_t limit) {
    Index();
    std::vector<std::u32string> prefixes = RomajiPrefixes(WithoutTrailingBlanks(typed));
    for (std::u32string& prefix : prefixes)
        prefix = KatakanaOf(std::move(prefix));
    std::vector<const Remark*> found;
    for (const auto& [folded, remark] : remarks_) {
        if (std::any_of(prefixes.begin(), prefixes.end(), [&remark](const std::u32string& p) {
                return remark.reading.starts_with(p);
            }))
            found.push_back(&remark);
    }
    return Ranked(std::move(found), limit);
}

std::vector<std::string> RemarkMemory::Ranked(std::vector<const Remark*> found, std::size_t limit) {
    std::sort(found.begin(), found.end(), [](const Remark* a, const Remark* b) {
        if (a->uses.size() != b->uses.size())
            return a->uses.size() > b->uses.size();
        return a->uses.back()->order > b->uses.back()->order;
    });
    std::vector<std::string> completions;
    for (std::size_t i = 0; i < found.size() && i < limit; ++i)
        completions.push_back(found[i]->uses.back()->remark);
    return completions;
}

std::optional<RemarkProposal> RemarkMemory::LastLive(const Remark& remark,
                                                     const CategoryTable& master) const {
    for (auto use = remark.uses.rbegin(); use != remark.uses.rend(); ++use) {
        // A deleted category's items propose nothing: its number may name another one now.
        if (master.HasCategory((*use)->category) &&
            master.HasDescription((*use)->category, (*use)->description))
            return RemarkProposal{(*use)->category, (*use)->description, (*use)->amount,
                                  (*use)->remark};
    }
    return std::nullopt;
}

std::optional<RemarkProposal> RemarkMemory::LastItemWith(std::string_view remark,
                                                         const CategoryTable& master) {
    Index();
    folding_.Fold(WithoutTrailingBlanks(remark), folded_);
    const auto found = remarks_.find(folded_);
    if (found == remarks_.end())
        return std::nullopt;
    return LastLive(found->second, master);
}

std::optional<RemarkProposal> RemarkMemory::ProposalFor(std::string_view text,
                                                        const CategoryTable& master) {
    if (std::optional<RemarkProposal> same = LastItemWith(text, master))
        return same;
    const std::u32string folded = folded_;
    const Remark* longest = nullptr;
    std::optional<RemarkProposal> proposal;
    for (const auto& [key, remark] : remarks_) {
        // The longest remark the text holds; of two as long, the later used.
        if (key.empty() || folded.find(key) == std::u32string::npos ||
            (longest && (key.size() < longest->folded.size() ||
                         (key.size() == longest->folded.size() &&
                          remark.uses.back()->order < longest->uses.back()->order))))
            continue;
        if (std::optional<RemarkProposal> live = LastLive(remark, master)) {
            longest = &remark;
            proposal = std::move(live);
        }
    }
    return proposal;
}

}  // namespace hanaki

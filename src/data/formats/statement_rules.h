#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/disk/change_note.h"
#include "data/disk/data_folder.h"

// BUNRUI.TXT: what a statement's row becomes when its text contains a word,
// one rule a line of code page 932 text that a person can read and edit:
//
//   2,1,スーパー丸
//   取り込まない,ＡＢＣカード
//
// category and description numbers, then the word, which runs to the line's
// end and so may hold commas; or 取り込まない and the word, for a row never
// to be imported (the card company's monthly debit on the bank statement,
// whose items the card's own statement brings). The longest word the text
// contains decides; full-width and half-width letters and digits, capitals
// and small letters match each other. Lines starting with ";" are notes. A
// line that cannot be read is kept as it stands and reported.
namespace hanaki {

inline constexpr std::string_view kStatementRulesFileName = "BUNRUI.TXT";

struct StatementRule {
    std::string word;   // code page 932, never empty
    bool skip = false;  // 取り込まない
    int category = 0;   // 1 … 20 unless skip
    int description = 0;

    friend bool operator==(const StatementRule&, const StatementRule&) = default;
};

struct StatementRulesLine {
    std::string text;  // as read (code page 932, no line end)
    std::optional<StatementRule> rule;
};

struct StatementRules {
    std::vector<StatementRulesLine> lines;
    // The lines that hold something other than a rule or a note (0-based).
    std::vector<int> UnreadableLines() const;
};

std::optional<StatementRule> ParseStatementRuleLine(std::string_view line);
std::string StatementRuleLine(const StatementRule& rule);
StatementRules ParseStatementRules(std::string_view bytes);
// Every line CR LF; lines not changed stay as they were written.
std::string SerializeStatementRules(const StatementRules& rules);

// The rule learnt for a word replaces the one for the same word, else it is added.
void LearnStatementRule(StatementRules& rules, const StatementRule& rule);

// Finds the rule of a row's text (UTF-8), the words folded once.
class StatementRuleMatcher {
  public:
    explicit StatementRuleMatcher(const StatementRules& rules);
    // The rule with the longest word `text` contains (the first of equals)
    // among those `fits` lets through (all without it), or nullptr: a refund
    // passes over an expense category's rule to the next word it contains.
    const StatementRule* Match(std::string_view text,
                               const std::function<bool(const StatementRule&)>& fits = {}) const;

  private:
    struct Entry {
        std::string folded;
        const StatementRule* rule;
    };
    std::vector<Entry> entries_;  // longest word first
};

// Full-width folded and small letters: the form rules and texts are compared in.
std::string FoldForMatching(std::string_view utf8);

// A missing file is no rules.
IoResult LoadStatementRules(const DataFolder& folder, StatementRules& rules);
IoResult SaveStatementRules(const DataFolder& folder, const StatementRules& rules);

}  // namespace hanaki

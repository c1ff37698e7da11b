#include "data/formats/statement_rules.h"

#include <algorithm>

#include "data/disk/text_lines.h"
#include "data/formats/cp932.h"
#include "data/formats/fixed_field.h"
#include "data/formats/statement_fields.h"

namespace hanaki {
namespace {

constexpr std::string_view kSkipWord =
    "\x8E\xE6\x82\xE8\x8D\x9E\x82\xDC\x82\xC8\x82\xA2";  // 取り込まない

std::optional<int> ParseNumber(std::string_view text) {
    std::optional<long long> value = ParseInteger(text);
    if (!value || *value < 1 || *value > 20)
        return std::nullopt;
    return static_cast<int>(*value);
}

}  // namespace

std::vector<int> StatementRules::UnreadableLines() const {
    std::vector<int> unreadable;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (!lines[i].rule && !IsStatementNoteLine(lines[i].text))
            unreadable.push_back(static_cast<int>(i));
    return unreadable;
}

std::optional<StatementRule> ParseStatementRuleLine(std::string_view line) {
    StatementRule rule;
    std::size_t comma = line.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    if (TrimBlanks(line.substr(0, comma)) == kSkipWord) {
        rule.skip = true;
    } else {
        std::optional<int> category = ParseNumber(line.substr(0, comma));
        line.remove_prefix(comma + 1);
        comma = line.find(',');
        std::optional<int> description =
            comma == std::string_view::npos ? std::nullopt : ParseNumber(line.substr(0, comma));
        if (!category || !description)
            return std::nullopt;
        rule.category = *category;
        rule.description = *description;
    }
    line.remove_prefix(comma + 1);
    // Blanks around the word are the editor's; a word of blanks only would match every row.
    rule.word = std::string(TrimBlanks(line));
    if (rule.word.empty() || FoldForMatching(Cp932ToUtf8(rule.word)).empty())
        return std::nullopt;
    return rule;
}

std::string StatementRuleLine(const StatementRule& rule) {
    if (rule.skip)
        return std::string(kSkipWord) + "," + rule.word;
    return std::to_string(rule.category) + "," + std::to_string(rule.description) + "," + rule.word;
}

StatementRules ParseStatementRules(std::string_view bytes) {
    StatementRules rules;
    for (std::string& line : SplitLines(bytes)) {
        StatementRulesLine read{std::move(line), std::nullopt};
        if (!IsStatementNoteLine(read.text))
            read.rule = ParseStatementRuleLine(read.text);
        rules.lines.push_back(std::move(read));
    }
    return rules;
}

std::string SerializeStatementRules(const StatementRules& rules) {
    std::vector<std::string> lines;
    lines.reserve(rules.lines.size());
    for (const StatementRulesLine& line : rules.lines) {
        const bool unchanged = !line.rule || ParseStatementRuleLine(line.text) == line.rule;
        lines.push_back(unchanged ? line.text : StatementRuleLine(*line.rule));
    }
    return JoinLinesCrLf(lines);
}

void LearnStatementRule(StatementRules& rules, const StatementRule& rule) {
    for (StatementRulesLine& line : rules.lines) {
        if (line.rule && line.rule->word == rule.word) {
            line.rule = rule;
            return;
        }
    }
    if (rules.lines.empty())
        rules.lines.push_back(
            {Utf8ToCp932Lossy("; 取り込みの規則: 費目,摘要,文字  または  取り込まない,文字"),
             std::nullopt});
    rules.lines.push_back({StatementRuleLine(rule), rule});
}

std::string FoldForMatching(std::string_view utf8) {
    std::string folded = FoldFullWidth(utf8);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return std::string(TrimBlanks(folded));
}

StatementRuleMatcher::StatementRuleMatcher(const StatementRules& rules) {
    for (const StatementRulesLine& line : rules.lines)
        if (line.rule)
            entries_.push_back({FoldForMatching(Cp932ToUtf8(line.rule->word)), &*line.rule});
    std::stable_sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        return a.folded.size() > b.folded.size();
    });
}

const StatementRule* StatementRuleMatcher::Match(
    std::string_view text, const std::function<bool(const StatementRule&)>& fits) const {
    const std::string folded = FoldForMatching(text);
    for (const Entry& entry : entries_)
        if (folded.find(entry.folded) != std::string::npos && (!fits || fits(*entry.rule)))
            return entry.rule;
    return nullptr;
}

IoResult LoadStatementRules(const DataFolder& folder, StatementRules& rules) {
    std::string bytes;
    IoResult result = ReadOptionalFile(folder, kStatementRulesFileName, bytes);
    if (result.ok())
        rules = ParseStatementRules(bytes);
    return result;
}

IoResult SaveStatementRules(const DataFolder& folder, const StatementRules& rules) {
    return folder.Replace(kStatementRulesFileName, SerializeStatementRules(rules),
                          {ChangeKind::Statement, "取り込みの規則の変更"});
}

}  // namespace hanaki

// A rules file of any bytes: a save keeps every line as read, a rule's line
// reads back as the rule, a learnt rule is found by its own word, and the
// layouts file keeps its lines the same way.
#include "data/disk/text_lines.h"
#include "data/formats/cp932.h"
#include "data/formats/statement_layouts.h"
#include "data/formats/statement_rules.h"
#include "fuzz_input.h"

using namespace hanaki;
using namespace hanaki::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const int category = 1 + input.Choose(20);
    const std::string bytes(input.Rest());

    StatementRules rules = ParseStatementRules(bytes);
    Require(SerializeStatementRules(rules) == JoinLinesCrLf(SplitLines(bytes)),
            "a save keeps every line as read");
    for (const StatementRulesLine& line : rules.lines)
        if (line.rule)
            Require(ParseStatementRuleLine(StatementRuleLine(*line.rule)) == line.rule,
                    "a rule's line reads back as the rule");

    const std::vector<std::string> lines = SplitLines(bytes);
    std::optional<StatementRule> learnt;
    if (!lines.empty())
        learnt = ParseStatementRuleLine("1,1," + lines.front());
    if (learnt) {
        learnt->category = category;
        LearnStatementRule(rules, *learnt);
        const StatementRules saved = ParseStatementRules(SerializeStatementRules(rules));
        const StatementRule* found = StatementRuleMatcher(saved).Match(Cp932ToUtf8(learnt->word));
        Require(found != nullptr, "a learnt rule is found by its own word");
    }

    const StatementLayouts layouts = ParseStatementLayouts(bytes);
    Require(SerializeStatementLayouts(layouts) == JoinLinesCrLf(SplitLines(bytes)),
            "the layouts file keeps every line as read");
    for (const StatementLayoutsLine& line : layouts.lines)
        if (line.layout)
            Require(line.layout->IsComplete(), "a layout read is complete");
    return 0;
}

// The history's index line and kept difference of any bytes: a line that
// reads is written back as the same entry, a difference applies or is refused
// without harm, and the difference of two files gives the earlier one back.
#include "data/history/history_store.h"
#include "fuzz_input.h"

using namespace hanaki;
using namespace hanaki::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::string_view rest = input.Rest();
    const std::size_t cut = std::min(rest.find('\n'), rest.size());
    // The fields of a line as the input gives them, sealed with their fingerprint
    // so that the reader looks past it.
    const std::string fields(rest.substr(0, cut));
    if (std::optional<HistoryEntry> entry = ParseIndexLine(fields + "\t" + Fingerprint(fields))) {
        const std::string line = FormatIndexLine(*entry);
        const std::optional<HistoryEntry> again = ParseIndexLine(line.substr(0, line.size() - 1));
        Require(again.has_value(), "a written index line reads");
        Require(FormatIndexLine(*again) == line, "an index line reads back as written");
    }
    const std::string_view files = rest.substr(std::min(cut + 1, rest.size()));
    const std::string_view before = files.substr(0, files.size() / 2);
    const std::string_view after = files.substr(files.size() / 2);
    ApplyDelta(before, after);
    Require(ApplyDelta(EncodeDelta(before, after), after) == std::string(before),
            "a difference gives the earlier bytes back");
    return 0;
}

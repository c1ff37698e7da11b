// A memo file of any bytes: every record survives a save with its calendar
// day and its three lines, and a second round changes nothing.
#include <algorithm>
#include <vector>

#include "data/formats/fixed_field.h"
#include "data/formats/memo.h"
#include "fuzz_input.h"

using namespace hanaki;
using namespace hanaki::fuzzing;

namespace {

// What a record means: its day as a number (or its raw bytes when that cannot
// be read) and its lines as they are written back.
std::vector<std::string> MeaningOf(std::string_view bytes) {
    std::vector<std::string> records;
    for (std::size_t offset = 0; offset < bytes.size(); offset += kMemoRecordBytes) {
        std::string_view chunk = bytes.substr(offset, kMemoRecordBytes);
        MemoRecord record = DecodeMemoRecord(chunk);
        std::optional<long long> day = ParseInteger(record.dayFields[0]);
        if (chunk.size() < kMemoRecordBytes || !day || *day < 1 || *day > 31) {
            records.emplace_back(chunk);
            continue;
        }
        std::string meaning = std::to_string(*day) + ":";
        for (const std::string& line : record.lines)
            meaning += FitField(line, kMemoLineBytes);
        records.push_back(meaning);
    }
    std::sort(records.begin(), records.end());
    return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    int closingDay = input.ClosingDay();
    int year = 50 + input.Choose(100);
    int month = 1 + input.Choose(12);
    std::string_view bytes = input.Rest();

    MemoMonth memo;
    ParseMemoFile(bytes, closingDay, year, month, memo);
    for (int day = 1; day <= 31; ++day)
        memo.LinesOf(day);
    std::string saved = SerializeMemo(closingDay, year, month, memo);
    Require(saved.size() == bytes.size(), "the file keeps its length");
    Require(MeaningOf(saved) == MeaningOf(bytes), "every record keeps its day and lines");

    MemoMonth again;
    ParseMemoFile(saved, closingDay, year, month, again);
    Require(SerializeMemo(closingDay, year, month, again) == saved,
            "a second save changes nothing");
    return 0;
}

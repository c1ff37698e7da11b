// A ledger file of any bytes: the month loads, and saving it unchanged gives
// back a file of the same length whose dates, numbers and amounts are those of
// the input; a second round changes nothing.
#include "data/formats/ledger.h"
#include "fuzz_input.h"
#include "memory_file_system.h"

using namespace hanaki;
using namespace hanaki::fuzzing;

namespace {

constexpr int kYear = 100;
constexpr int kMonth = 1;

// The byte ranges of a record that a load and save never touch: the date,
// the category number, the description number and the amount.
constexpr std::pair<std::size_t, std::size_t> kKeptRanges[] = {{0, 8}, {20, 2}, {34, 10}};

std::string SaveOf(MemoryFileSystem& fs, int closingDay, const std::string& bytes) {
    DataFolder folder("/data", fs);
    fs.files["/data/200001.DAT"] = bytes;
    MonthLedger ledger;
    Require(LoadMonthLedger(folder, closingDay, kYear, kMonth, ledger).ok(), "load succeeds");
    CollectDay(ledger, "000115");
    Require(SaveMonthLedger(folder, closingDay, kYear, kMonth, ledger).ok(), "save succeeds");
    auto saved = fs.files.find("/data/200001.DAT");
    Require((saved == fs.files.end()) == bytes.empty(), "only an empty month has no file");
    return saved == fs.files.end() ? std::string() : saved->second;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    int closingDay = input.ClosingDay();
    std::string bytes(input.Rest());
    MemoryFileSystem fs;

    std::string saved = SaveOf(fs, closingDay, bytes);
    Require(saved.size() == bytes.size(), "the file keeps its length");
    for (std::size_t offset = 0; offset + kLedgerRecordBytes <= bytes.size();
         offset += kLedgerRecordBytes) {
        for (auto [start, length] : kKeptRanges)
            Require(saved.compare(offset + start, length, bytes, offset + start, length) == 0,
                    "dates, numbers and amounts survive a save");
    }
    Require(SaveOf(fs, closingDay, saved) == saved, "a second save changes nothing");
    return 0;
}

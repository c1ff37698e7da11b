// A foreign month file of any bytes: the converter either refuses it or makes a
// ledger file of one record per foreign record, each of which our loader reads
// as an item of the month the file stands for.
#include "data/formats/calendar.h"
#include "data/formats/fixed_field.h"
#include "data/formats/ledger.h"
#include "fuzz_input.h"
#include "import/conversion.h"
#include "memory_file_system.h"

using namespace hanaki;
using namespace hanaki::fuzzing;

namespace {

CategoryTable Categories() {
    CategoryTable table;
    ParseCategoryFile("+pay\r\nbase,bonus\r\n-food\r\nbreakfast,lunch,dinner\r\n", table);
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const CategoryTable categories = Categories();
    FuzzInput input(data, size);
    int closingDay = 1 + input.Choose(31);
    ForeignMonth month{90 + input.Choose(10), 1 + input.Choose(12)};
    std::string_view bytes = input.Rest();

    std::optional<std::string> ledger = ConvertMonthFile(bytes, month, closingDay, categories);
    if (!ledger)
        return 0;
    std::size_t count = bytes.size() / kForeignRecordBytes;
    Require(ledger->size() == count * kLedgerRecordBytes, "one record per whole foreign record");

    MemoryFileSystem fs;
    DataFolder folder("/data", fs);
    MonthLedger loaded;
    fs.files[folder.PathOf(LedgerFileName(month.year, month.month))] = *ledger;
    Require(LoadMonthLedger(folder, kMonthEnd, month.year, month.month, loaded).ok(), "loads");
    // Our closing days are 1 … 28 and month end; others cannot be checked here.
    bool comparable = closingDay <= 28 || closingDay == kMonthEnd;
    std::string monthKey = TwoDigits(month.year % 100) + TwoDigits(month.month);
    for (std::size_t i = 1; i <= count; ++i) {
        const LedgerSlot& slot = loaded.entries[i];
        // Category 0 stands for "no category"; our loader sets such items aside.
        std::optional<ItemNumbers> numbers = ReadItemNumbers(slot.record);
        if (numbers && numbers->category == 0)
            continue;
        Require(!slot.unreadable, "every converted item can be read");
        if (comparable)
            Require(CalendarToAccounting(closingDay, slot.record.date).substr(0, 4) == monthKey,
                    "every converted item belongs to the file's month");
    }
    return 0;
}

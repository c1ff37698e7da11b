#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "data/formats/fixed_field.h"
#include "data/formats/ledger.h"
#include "data/history/history_store.h"
#include "support/cp932_text.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

// A year of a household's saves, for the benchmarks of what the history costs.
namespace hanaki {

// The real calls without the syncs, to build a year of history in seconds
// and to show what the history costs the processor alone.
class UnsyncedFileSystem : public PosixFileSystem {
  public:
    int Sync(int) override { return 0; }
    int SyncFileSystem(int) override { return 0; }
    int SyncDirectory(const std::string&) override { return 0; }
};

inline LedgerRecord Item(int month, int day, int n) {
    return testing::RecordOf({TwoDigits(26) + TwoDigits(month) + TwoDigits(day), "02", "name", "01",
                              "desc", "-" + std::to_string(100 + n),
                              "remark " + std::to_string(n)});
}

// A year of ordinary use: ten items a day, each saved at once, from 2025-12-01.
struct YearOfUse {
    static constexpr std::int64_t kDay = 24 * 60 * 60;
    testing::TempFolder dir;
    UnsyncedFileSystem unsynced;
    std::int64_t now = 1'764'550'800;  // 2025-12-01 09:00 JST
    DataFolder folder{dir.path(), unsynced};
    std::uintmax_t ledgerBytes = 0;

    explicit YearOfUse(bool history = true) {
        if (history)
            KeepHistory(folder, [this] { return now; });
        MonthLedger ledger;
        int open = 0;
        for (int day = 0; day < 365; ++day) {
            const int month = 12 + day * 12 / 365;  // accounting months of about 30 days
            if (month != open) {
                ledger = MonthLedger{};
                open = month;
            }
            for (int n = 0; n < 10; ++n) {
                now = 1'764'550'800 + day * kDay + n * 3600;
                AppendItem(ledger, ledger.LastSlot(), Item((month - 1) % 12 + 1, 1, n));
                SaveMonthLedger(folder, 31, 125 + (month - 1) / 12, (month - 1) % 12 + 1, ledger);
            }
        }
        for (const auto& file : std::filesystem::directory_iterator(dir.path())) {
            if (file.is_regular_file())
                ledgerBytes += file.file_size();
        }
    }
};

}  // namespace hanaki

#include "fixed/due_command.h"

#include "data/book/amount_format.h"
#include "data/book/due_entry.h"
#include "data/disk/folder_lock.h"
#include "data/formats/cp932.h"
#include "data/formats/csv_line.h"
#include "data/formats/fixed_field.h"
#include "data/program/command_household.h"
#include "fixed/due_listing.h"

namespace hanaki {

int RunDueCommand(const std::string& dataDir, const DueRequest& request, const CivilDate& today,
                  std::ostream& out, std::ostream& err) {
    const bool readOnly = IsReadOnlyFolder(RealFileSystem(), dataDir);
    const DataFolder folder(
        dataDir, RealFileSystem(),
        readOnly ? DataFolder::Access::ReadOnly : DataFolder::Access::ReadWrite);
    CategoryTable categories;
    Settings settings;
    if (!LoadHouseholdForCommand(folder, categories, settings, err))
        return 1;
    std::optional<FolderLock> lock;
    if (request.enter) {
        if (readOnly) {
            err << "データフォルダに書き込めないため、定期項目を記入できません: " << dataDir
                << "\n";
            return 1;
        }
        // The check and the writes under one lock: a second computer on the
        // same folder never enters an occurrence twice.
        lock.emplace(dataDir, "hanaki");
        if (!lock->held()) {
            err << DescribeLockRefusal(*lock, LockAsker::Command) << "\n";
            return lock->state() == FolderLock::State::HeldByOther ? 3 : 1;
        }
    }
    FixedItems items;
    const IoResult read = LoadFixedItems(folder, items);
    if (!read.ok()) {
        err << DescribeIoError(*read.error) << "\n";
        return 1;
    }
    bool incomplete = false;
    for (int line : items.UnreadableLines()) {
        err << std::string(kFixedItemsFileName) << " の " << line + 1
            << " 行目は読めないため、使いませんでした（ファイルはそのままです）。\n";
        incomplete = true;
    }
    const std::vector<DueOccurrence> due = DueOccurrences(items, settings.closingDay, today);
    DueListing listing(categories, items, request.csv, out);
    if (!request.enter) {
        for (const DueOccurrence& occurrence : due)
            listing.Add(occurrence, std::nullopt);
        return incomplete ? 1 : 0;
    }

    std::vector<DueChoice> choices;
    for (const DueOccurrence& occurrence : due)
        choices.push_back({occurrence.line, occurrence.month, false, std::nullopt});
    const DueEntry entry = EnterDueItems(folder, categories, settings.closingDay, today, choices);
    for (const DueOutcome& outcome : entry.outcomes) {
        if (outcome.entered) {
            listing.Add(outcome.occurrence, std::nullopt);
        } else if (outcome.refusal != DueRefusal::None) {
            err << DueRefusalText(outcome.refusal, outcome.occurrence) << ": "
                << listing.Describe(outcome.occurrence) << "\n";
            incomplete = true;
        }
    }
    if (!entry.io.ok()) {
        err << DescribeIoError(*entry.io.error) << "\n";
        incomplete = true;
    }
    return incomplete ? 1 : 0;
}

}  // namespace hanaki

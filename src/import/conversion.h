#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/disk/file_system.h"
#include "data/formats/category_table.h"
#include "import/foreign_files.h"

// Turning a foreign data folder into our ledger and memo files. Every source
// file is checked first (a plan), so that nothing is written before the user
// agreed to replace existing files; then each file is read again, converted
// and written whole and crash-safely, one at a time, so that memory holds one
// month at most. The source folder is only read.
namespace hanaki {

struct ConversionRequest {
    std::string source;
    std::string destination;
    int closingDay = 31;  // the foreign book's closing day, 1 … 31
};

// A message box's title and text (UTF-8), in the order they are shown.
struct ConversionMessage {
    std::string title;
    std::string text;
    bool failure = false;  // a file that was not converted, or a refusal
    friend bool operator==(const ConversionMessage&, const ConversionMessage&) = default;
};

// Shown instead of converting when source and destination are one folder (IsSameFolder).
ConversionMessage SamePathMessage();

// The ledger file of one month file's whole records (in accounting order), or
// nullopt when the file holds data that cannot be converted.
std::optional<std::string> ConvertMonthFile(std::string_view bytes, const ForeignMonth& month,
                                            int closingDay, const CategoryTable& categories);

// One file to write into the destination, with the foreign file it comes from.
struct PlannedFile {
    std::string sourcePath;
    std::string targetName;                    // empty when the source cannot be converted
    std::optional<ConversionMessage> problem;  // why it cannot be converted
    bool problemNamedBefore = false;           // the previous file's message names this one too
    ForeignMonth month;                        // of a month file
};

struct ConversionPlan {
    std::string destination;
    int closingDay = 31;
    CategoryTable categories;          // the source's
    std::vector<PlannedFile> ledgers;  // one per month file, in listing order
    std::vector<PlannedFile> memos;
};

struct PlanResult {
    std::optional<ConversionPlan> plan;
    // Set instead of `plan` when the source's category file is missing or unreadable.
    std::optional<ConversionMessage> refusal;
};

// Checks every source file, reading one at a time; writes nothing.
PlanResult PlanConversion(const ConversionRequest& request, FileSystem& fs);

// Existing destination files the plan would replace.
int CountReplacedFiles(const ConversionPlan& plan, FileSystem& fs);

struct ConversionReport {
    std::vector<ConversionMessage> messages;  // what the user is shown, in order
    int converted = 0;
    int failed = 0;
    int memosCopied = 0;
    int memosFailed = 0;
    int replaced = 0;        // existing destination files written over
    int recordsLeftOut = 0;  // last records cut short, each reported
};

// Writes the plan's targets; a file that cannot be read or written is
// reported and counted as failed while the others go on. The caller holds the
// destination's FolderLock: temporary files that killed writers left there
// are removed first.
ConversionReport CarryOutConversion(const ConversionPlan& plan, FileSystem& fs);

}  // namespace hanaki

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/category_table.h"
#include "data/file_system.h"
#include "import/foreign_files.h"

// Turning a foreign data folder into our ledger and memo files. Everything is
// read and built in memory first (a plan), so that nothing is written before
// the user agreed to replace existing files and no month is ever left half
// written; then each target is written whole and crash-safely. The source
// folder is only read.
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
    friend bool operator==(const ConversionMessage&, const ConversionMessage&) = default;
};

// Shown instead of converting when source and destination are one folder (IsSameFolder).
ConversionMessage SamePathMessage();

// The ledger file of one month file (records in accounting order), or nullopt
// when the file holds data that cannot be converted.
std::optional<std::string> ConvertMonthFile(std::string_view bytes, const ForeignMonth& month,
                                            int closingDay, const CategoryTable& categories);

// One file to write into the destination, with the foreign file it comes from.
struct PlannedFile {
    std::string sourcePath;
    std::string targetName;  // empty when the source cannot be converted
    std::string bytes;
    std::optional<ConversionMessage> problem;  // why it cannot be converted
};

struct ConversionPlan {
    std::string destination;
    std::vector<PlannedFile> ledgers;  // one per month file, in listing order
    std::vector<PlannedFile> memos;
};

struct PlanResult {
    std::optional<ConversionPlan> plan;
    // Set instead of `plan` when the source's category file is missing or unreadable.
    std::optional<ConversionMessage> refusal;
};

// Reads the whole source and builds every target in memory; writes nothing.
PlanResult PlanConversion(const ConversionRequest& request, FileSystem& fs);

// Existing destination files the plan would replace.
int CountReplacedFiles(const ConversionPlan& plan, FileSystem& fs);

struct ConversionReport {
    std::vector<ConversionMessage> messages;  // what the user is shown, in order
    int converted = 0;
    int failed = 0;
    int memosCopied = 0;
    int replaced = 0;  // existing destination files written over
};

// Writes the plan's targets; a file that cannot be written is reported and
// counted as failed while the others go on.
ConversionReport CarryOutConversion(const ConversionPlan& plan, FileSystem& fs);

}  // namespace hanaki

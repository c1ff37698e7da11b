#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/disk/file_system.h"
#include "data/disk/io_result.h"
#include "data/formats/category_table.h"

// Ledger files as CSV for spreadsheets: code page 932, CR LF, one CSV file per
// ledger file. No Qt here; the export screen and `--export-csv` share it.
namespace hanaki {

inline constexpr const char* kSamePathTitle = "パスが同一です。";
inline constexpr const char* kSamePathMessage = "パスが同一です。右のパスを変えて下さい。";
inline constexpr const char* kConvertedTitle = "Convert completed!";

// The CSV text of one ledger file: the heading line, then one line per record.
// Records whose numbers cannot be read are left out and added to `skipped`.
std::string LedgerToCsv(std::string_view ledgerBytes, const CategoryTable& categories,
                        int& skipped);

// "199905.DAT" and the like: six digits, not all zero, then ".DAT" in any case.
bool IsExportableLedgerName(std::string_view fileName);

// The exportable ledger files of `folder`, sorted by name.
IoResult ListExportableLedgers(const std::string& folder, std::vector<std::string>& names);

struct CsvExportResult {
    int written = 0;         // CSV files written
    int failed = 0;          // ledger files not exported; the others went on
    int skippedRecords = 0;  // unreadable records left out, over all files
    // Why, in order: a Japanese message (UTF-8) for each file not read or not
    // written, for each pair of names that differ only in case, or for a
    // source folder that cannot be listed.
    std::vector<std::string> failures;
    // One line per written file that left records out, with their count.
    std::vector<std::string> skips;
};

// Writes every exportable ledger file of `source` as "<base>.CSV" into
// `destination`, each file replaced crash-safely. Temporary files that a
// killed export left in `destination` are removed first.
CsvExportResult ExportFolderToCsv(FileSystem& fs, const std::string& source,
                                  const std::string& destination, const CategoryTable& categories);

// "2個のデータをコンバートしました。" (UTF-8); what was left out is in `skips`.
std::string ConvertedMessage(const CsvExportResult& result);

// How many files were written and how many failed, with the first reason; for
// a result with failures.
std::string FailureSummary(const CsvExportResult& result);

}  // namespace hanaki

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The data folder of the other household book that tsugite reads: VERADIV.DAT
// (categories, in the layout of our own master), VERADIV.MMY (one accounting
// month of 40-byte records) and KAKMEMO.MMY (the month's memos, already in our
// memo layout). All text is code page 932.
namespace hanaki {

constexpr std::size_t kForeignRecordBytes = 40;
constexpr std::size_t kMaxForeignRecords = 2000;
inline constexpr std::string_view kMonthFileStem = "VERADIV";
inline constexpr std::string_view kMemoFileStem = "KAKMEMO";

struct ForeignRecord {
    std::string date;               // 4: MMDD
    std::string categoryNumber;     // 2
    std::string descriptionNumber;  // 2
    std::string amount;             // 9
    std::string remark;             // 23
};

// From one whole record of 40 bytes.
ForeignRecord DecodeForeignRecord(std::string_view bytes);

// The whole records of a month file. Bytes after the last whole one are a
// record cut short (a copy that broke off): its amount could read as another
// number, so it is never converted.
std::vector<ForeignRecord> DecodeForeignRecords(std::string_view bytes);
// The length of such a cut record, for the caller to report; 0 also for a tail
// that holds no data (blanks, line ends, NULs or an end-of-file mark 0x1A).
std::size_t CutRecordBytes(std::string_view bytes);

// The accounting month an extension "MMY" names: month MM of 1990 + Y.
struct ForeignMonth {
    int year = 90;  // years since 1900
    int month = 1;
};

// The extension's leading decimal digits as a number, 0 when there are none.
// Only names whose value is not 0 count as month or memo files, which leaves
// out VERADIV.DAT, VERADIV.BAK and VERADIV.000.
int ExtensionValue(std::string_view extension);

// nullopt unless the extension is a month 01 … 12 followed by a digit.
std::optional<ForeignMonth> ParseMonthExtension(std::string_view extension);

struct ForeignFile {
    std::string name;       // as the folder holds it
    std::string extension;  // the three characters after the point
};

// The regular files of `folder` named stem + "." + three characters, matched
// without regard to case (the files come from a case-insensitive system) and
// in the order that system lists them: by name, ignoring case.
std::vector<ForeignFile> ListForeignFiles(const std::string& folder, std::string_view stem);

// The name under which `folder` holds `name`, matched without regard to case.
std::optional<std::string> FindForeignFile(const std::string& folder, std::string_view name);

}  // namespace hanaki

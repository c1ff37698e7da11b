#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A bank's, a card company's or another household book's statement: a table
// of text in code page 932 or UTF-8 (with or without a byte order mark),
// separated by commas or tabs, quoted fields holding separators, quotes and
// line breaks, lines ended by CR LF or LF. The table is read into UTF-8.
namespace hanaki {

// Bounds that keep a file that is no statement from exhausting memory: the
// file's size is the data files' limit (kLargestDataFile, 8 MiB).
inline constexpr std::size_t kStatementRowLimit = 50'000;
inline constexpr std::size_t kStatementFieldLimit = 64;
inline constexpr std::size_t kStatementCellLimit = 1'000'000;  // over all rows

enum class StatementEncoding { Utf8, Cp932 };

enum class StatementReadError {
    None,
    Encoding,       // bytes that are neither UTF-8 nor code page 932
    NotATable,      // no line with two fields or more
    TooManyRows,    // past kStatementRowLimit or kStatementCellLimit
    TooManyFields,  // a row past kStatementFieldLimit
    OpenQuote,      // a quote that is never closed
};

struct StatementRow {
    int line = 0;                     // 1-based line of the file the row begins on
    std::vector<std::string> fields;  // UTF-8
};

struct StatementTable {
    StatementEncoding encoding = StatementEncoding::Utf8;
    char separator = ',';
    std::vector<StatementRow> rows;  // blank lines left out
    StatementReadError error = StatementReadError::None;
    int errorLine = 0;  // where the error was met, 0 for the whole file
};

// UTF-8 when the bytes are strictly UTF-8 (a byte order mark is dropped),
// else code page 932 when every character has a code page 932 form.
bool DecodeStatementText(std::string_view bytes, StatementEncoding& encoding, std::string& utf8);

// The rows of `utf8` split at `separator` (',' or '\t').
StatementTable SplitStatementRows(std::string_view utf8, char separator);

// Decoded as `encoding`, or as DecodeStatementText tells when none is given,
// with the separator that more of the first lines hold.
StatementTable ReadStatementTable(std::string_view bytes,
                                  std::optional<StatementEncoding> encoding = std::nullopt);

// Why the file at `path` could not be read (`code` from FileSystem::ReadAll:
// an errno, kNotRegularFile for a FIFO or a device, EFBIG past the size
// limit), as one Japanese sentence (UTF-8).
std::string DescribeStatementFileError(const std::string& path, int code);

// What a read error means, in Japanese (UTF-8, no full stop).
std::string DescribeStatementReadError(StatementReadError error);

}  // namespace hanaki

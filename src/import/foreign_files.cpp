#include "import/foreign_files.h"

#include <algorithm>
#include <filesystem>

#include "data/amount_format.h"

namespace hanaki {
namespace {

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Every name, whatever it is: a FIFO or a folder under a data file's name is
// reported by the reader, never skipped in silence.
std::vector<std::string> EntryNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec))
        names.push_back(it->path().filename().string());
    return names;
}

}  // namespace

ForeignRecord DecodeForeignRecord(std::string_view bytes) {
    std::string padded(bytes.substr(0, kForeignRecordBytes));
    padded.resize(kForeignRecordBytes, ' ');
    return ForeignRecord{padded.substr(0, 4), padded.substr(4, 2), padded.substr(6, 2),
                         padded.substr(8, 9), padded.substr(17, 23)};
}

std::size_t ForeignRecordCount(std::size_t size) {
    return static_cast<std::size_t>(
        RoundHalfEven(static_cast<double>(size) / static_cast<double>(kForeignRecordBytes)));
}

std::vector<ForeignRecord> DecodeForeignRecords(std::string_view bytes) {
    std::size_t count = ForeignRecordCount(bytes.size());
    std::vector<ForeignRecord> records;
    records.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t offset = i * kForeignRecordBytes;
        records.push_back(DecodeForeignRecord(offset < bytes.size()
                                                  ? bytes.substr(offset, kForeignRecordBytes)
                                                  : std::string_view()));
    }
    return records;
}

int ExtensionValue(std::string_view extension) {
    int value = 0;
    for (std::size_t i = 0; i < extension.size() && IsDigit(extension[i]); ++i) {
        value = value * 10 + (extension[i] - '0');
    }
    return value;
}

std::optional<ForeignMonth> ParseMonthExtension(std::string_view extension) {
    if (extension.size() != 3 || !std::all_of(extension.begin(), extension.end(), IsDigit))
        return std::nullopt;
    int month = (extension[0] - '0') * 10 + (extension[1] - '0');
    if (month < 1 || month > 12)
        return std::nullopt;
    return ForeignMonth{90 + (extension[2] - '0'), month};
}

std::vector<ForeignFile> ListForeignFiles(const std::string& folder, std::string_view stem) {
    const std::string prefix = Upper(stem) + ".";
    std::vector<ForeignFile> files;
    for (std::string& name : EntryNames(folder)) {
        if (name.size() == prefix.size() + 3 && Upper(name).starts_with(prefix)) {
            std::string extension = name.substr(prefix.size());
            files.push_back({std::move(name), std::move(extension)});
        }
    }
    std::sort(files.begin(), files.end(), [](const ForeignFile& a, const ForeignFile& b) {
        std::string ua = Upper(a.name), ub = Upper(b.name);
        return ua != ub ? ua < ub : a.name < b.name;
    });
    return files;
}

std::optional<std::string> FindForeignFile(const std::string& folder, std::string_view name) {
    std::vector<std::string> names = EntryNames(folder);
    if (std::find(names.begin(), names.end(), name) != names.end())
        return std::string(name);
    const std::string wanted = Upper(name);
    std::sort(names.begin(), names.end());
    for (const std::string& candidate : names) {
        if (Upper(candidate) == wanted)
            return candidate;
    }
    return std::nullopt;
}

}  // namespace hanaki

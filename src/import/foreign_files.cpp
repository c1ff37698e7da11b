#include "import/foreign_files.h"

#include <algorithm>
#include <filesystem>

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
    std::string record(bytes.substr(0, kForeignRecordBytes));
    return ForeignRecord{record.substr(0, 4), record.substr(4, 2), record.substr(6, 2),
                         record.substr(8, 9), record.substr(17, 23)};
}

std::vector<ForeignRecord> DecodeForeignRecords(std::string_view bytes) {
    const std::size_t count = bytes.size() / kForeignRecordBytes;
    std::vector<ForeignRecord> records;
    records.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        records.push_back(DecodeForeignRecord(bytes.substr(i * kForeignRecordBytes)));
    return records;
}

std::size_t CutRecordBytes(std::string_view bytes) {
    std::string_view tail = bytes.substr(bytes.size() - bytes.size() % kForeignRecordBytes);
    bool holdsData =
        tail.find_first_not_of(std::string_view(" \r\n\0\x1a", 5)) != std::string_view::npos;
    return holdsData ? tail.size() : 0;
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

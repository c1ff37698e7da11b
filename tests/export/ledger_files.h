#pragma once

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "data/disk/file_system.h"
#include "data/formats/category_table.h"
#include "data/formats/ledger.h"
#include "support/cp932_text.h"
#include "support/file_bytes.h"
#include "support/ledger_records.h"

// Ledger files, category files and CSV bytes as the export tests build them.
namespace hanaki::testing {

// One 104-byte record from UTF-8 fields.
inline std::string Record(const char* date, const char* category, const char* categoryName,
                          const char* description, const char* descriptionName, const char* amount,
                          const char* remark) {
    return RecordBytes(
        {date, category, categoryName, description, descriptionName, amount, remark});
}

// 1 給料 income, 2 食費 expense.
inline constexpr const char* kCategoryFile = "+給料\r\n基本給,賞与\r\n-食費\r\n朝食,昼食\r\n";

inline CategoryTable Categories(const char* utf8 = kCategoryFile) {
    CategoryTable table;
    ParseCategoryFile(Sjis(utf8), table);
    return table;
}

inline const std::string& Heading() {
    static const std::string heading =
        Sjis("\"年月日\",\"費目No.\",\"費目\",\"摘要No.\",\"摘要\",\"入金\",\"出金\",\"備考\"\r\n");
    return heading;
}

// File names in a folder, sorted.
inline std::vector<std::string> Names(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Refuses to create the files whose path holds `refused`, as a full disk would.
class RefusingFileSystem : public PosixFileSystem {
  public:
    explicit RefusingFileSystem(std::string refused) : refused_(std::move(refused)) {}
    int CreateExclusive(const std::string& path, unsigned mode, int& fd) override {
        if (path.find(refused_) != std::string::npos)
            return ENOSPC;
        return PosixFileSystem::CreateExclusive(path, mode, fd);
    }

  private:
    std::string refused_;
};

}  // namespace hanaki::testing

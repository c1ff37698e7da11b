#include "data/folder_copy.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>
#include <optional>

#include "data/category_table.h"
#include "data/folder_paths.h"
#include "data/history_store.h"
#include "data/settings.h"
#include "data/undo.h"

namespace hanaki {
namespace {

bool IsMonthFileName(std::string_view name, std::string_view extension) {
    return name.size() == 10 && name.substr(6) == extension &&
           std::all_of(name.begin(), name.begin() + 6, [](char c) { return c >= '0' && c <= '9'; });
}

// Files by name; nullopt: the file is not in the copy.
using FolderFiles = std::map<std::string, std::optional<std::string>>;

std::string ReadLiveFiles(const DataFolder& folder, FolderFiles& files) {
    for (const std::string& name : DataFileNames(folder.path())) {
        std::string bytes;
        if (IoResult read = folder.Read(name, bytes); !read.ok())
            return DescribeIoError(*read.error);
        files[name] = std::move(bytes);
    }
    return {};
}

std::string WriteCopy(const DataFolder& from, const std::string& destination,
                      const FolderFiles& files) {
    if (IsSameFolder(from.path(), destination))
        return "書き出し先 " + destination +
               " はデータフォルダそのものです。別のフォルダを指定してください。";
    std::error_code error;
    if (std::filesystem::exists(destination, error) &&
        !std::filesystem::is_empty(destination, error))
        return "書き出し先 " + destination +
               " は空ではありません。新しいフォルダを指定してください。";
    if (int err = MakePrivateFolder(destination); err != 0)
        return "書き出し先 " + destination +
               " を作れませんでした。\n理由: " + DescribeErrno(err, IoStep::Create) + "。";
    DataFolder to(destination, from.fs());
    for (const auto& [name, bytes] : files) {
        if (!bytes)
            continue;
        if (IoResult written = to.Replace(name, *bytes); !written.ok())
            return DescribeIoError(*written.error);
    }
    return {};
}

}  // namespace

bool IsDataFileName(std::string_view name) {
    return IsMonthFileName(name, ".DAT") || IsMonthFileName(name, ".MEM") ||
           name == kCategoryFileName || name == kSettingsFileName;
}

std::vector<std::string> DataFileNames(const std::string& folderPath) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& file : std::filesystem::directory_iterator(folderPath, error)) {
        std::string name = file.path().filename().string();
        if (IsDataFileName(name) && file.is_regular_file(error))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string BackUpFolder(const DataFolder& folder, const std::string& destination) {
    FolderFiles files;
    if (std::string failed = ReadLiveFiles(folder, files); !failed.empty())
        return failed;
    return WriteCopy(folder, destination, files);
}

std::string RestoreFolderAsOf(const DataFolder& folder, std::int64_t moment,
                              const std::string& destination) {
    FolderFiles files;
    if (std::string failed = ReadLiveFiles(folder, files); !failed.empty())
        return failed;
    const History history = ReadHistory(folder);
    if (history.error)
        return DescribeIoError(*history.error);
    std::vector<FileState> states;
    if (std::string damage = StatesAt(folder, history, moment, states); !damage.empty())
        return damage;
    for (FileState& state : states)
        files[state.file] = std::move(state.bytes);
    return WriteCopy(folder, destination, files);
}

}  // namespace hanaki

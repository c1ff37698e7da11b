#include "data/folder_copy.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <thread>

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

// Without the lock, a running program's save can land between reading the
// live files and the history, or halfway through an index line: the copy
// would then miss that change, or the history look damaged. Such a read is
// done again, a few times, before anything is reported: real damage stays.
constexpr int kReadAttempts = 3;

void PauseBeforeReadingAgain(int attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50 * attempt));
}

std::string ReadFolderAsOf(const DataFolder& folder, std::int64_t moment, FolderFiles& files) {
    files.clear();
    if (std::string failed = ReadLiveFiles(folder, files); !failed.empty())
        return failed;
    const History history = ReadHistory(folder);
    if (history.error)
        return DescribeIoError(*history.error);
    // The history was read between two reads of the same live files.
    FolderFiles again;
    if (std::string failed = ReadLiveFiles(folder, again); !failed.empty())
        return failed;
    if (again != files)
        return "データフォルダを読んでいる間に変更がありました。もう一度お試しください。";
    std::vector<FileState> states;
    if (std::string damage = StatesAt(folder, history, moment, states); !damage.empty())
        return damage;
    for (FileState& state : states)
        files[state.file] = std::move(state.bytes);
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
    std::string failed;
    for (int attempt = 1; attempt <= kReadAttempts; ++attempt) {
        if (attempt > 1)
            PauseBeforeReadingAgain(attempt);
        failed = ReadFolderAsOf(folder, moment, files);
        if (failed.empty())
            return WriteCopy(folder, destination, files);
    }
    return failed;
}

History ReadHistoryWhileInUse(const DataFolder& folder) {
    History history = ReadHistory(folder);
    for (int attempt = 2;
         attempt <= kReadAttempts && (history.error || history.unreadableLines > 0); ++attempt) {
        PauseBeforeReadingAgain(attempt);
        history = ReadHistory(folder);
    }
    return history;
}

}  // namespace hanaki

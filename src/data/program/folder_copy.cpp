#include "data/program/folder_copy.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <thread>

#include "data/disk/folder_lock.h"
#include "data/disk/folder_paths.h"
#include "data/disk/safe_write.h"
#include "data/disk/stale_temporaries.h"
#include "data/formats/category_table.h"
#include "data/formats/entry_options.h"
#include "data/formats/fixed_items.h"
#include "data/formats/settings.h"
#include "data/formats/statement_layouts.h"
#include "data/formats/statement_rules.h"
#include "data/history/history_store.h"
#include "data/history/undo.h"

namespace hanaki {
namespace {

bool IsMonthFileName(std::string_view name, std::string_view extension) {
    return name.size() == 10 && name.substr(6) == extension &&
           std::all_of(name.begin(), name.begin() + 6, [](char c) { return c >= '0' && c <= '9'; });
}

// Files by name; nullopt: the file is not in the copy.
using FolderFiles = std::map<std::string, std::optional<std::string>>;

// One message for the whole refusal: each reason, then that nothing was left.
std::string NothingWritten(const std::vector<std::string>& reasons,
                           const std::string& destination) {
    std::string text;
    for (const std::string& reason : reasons)
        text += reason + "\n";
    return text + "書き出し先 " + destination + " には何も書き出していません。";
}

// Every data file is read, and each one that cannot be (a FIFO, a folder, a
// device or a broken link under its name, a file this user may not read) is
// named: a copy without it would pass for whole.
std::vector<std::string> ReadLiveFiles(const DataFolder& folder, FolderFiles& files) {
    std::vector<std::string> names;
    if (int err = ListDataFiles(folder.path(), names); err != 0)
        return {"データフォルダ " + folder.path() +
                " を読み込めませんでした。\n理由: " + DescribeErrno(err, IoStep::Read) + "。"};
    std::vector<std::string> failures;
    for (const std::string& name : names) {
        std::string bytes;
        if (IoResult read = folder.Read(name, bytes); !read.ok())
            failures.push_back(DescribeIoError(*read.error));
        else
            files[name] = std::move(bytes);
    }
    return failures;
}

// Why `destination` cannot take a copy of `live`, before anything is read.
std::string RefuseDestination(const std::string& live, const std::string& destination) {
    if (IsSameFolder(live, destination))
        return "書き出し先 " + destination +
               " はデータフォルダそのものです。別のフォルダを指定してください。";
    if (IsInsideFolder(destination, live))
        return "書き出し先 " + destination +
               " はデータフォルダの中です。データフォルダの外のフォルダを指定してください。";
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(destination, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_directory(status))
        return "書き出し先 " + destination +
               " を作れませんでした。\n理由: " + DescribeErrno(ENOTDIR, IoStep::Create) + "。";
    if (std::filesystem::exists(status) && !std::filesystem::is_empty(destination, error))
        return "書き出し先 " + destination +
               " は空ではありません。新しいフォルダを指定してください。";
    return {};
}

// Removes a copy that will not be whole; what stays is the sweep's.
void Abandon(const DataFolder& copy, const std::vector<std::string>& written) {
    for (const std::string& name : written)
        copy.fs().Remove(copy.PathOf(name));
    copy.fs().RemoveFolder(copy.path());
}

// `destination` spelled as one absolute path without a trailing slash.
std::filesystem::path Normalized(const std::string& destination) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(destination, error).lexically_normal();
    return path.has_filename() ? path : path.parent_path();
}

std::string WriteCopy(FileSystem& fs, const std::string& destination, const FolderFiles& files) {
    const std::filesystem::path target = Normalized(destination);
    const std::string parent = target.parent_path().string();
    auto notMade = [&](int err) {
        return "書き出し先 " + destination +
               " を作れませんでした。\n理由: " + DescribeErrno(err, IoStep::Create) + "。";
    };
    std::error_code error;
    std::filesystem::create_directories(parent, error);
    if (error)
        return notMade(error.value());
    RemoveStaleTemporaryFiles(fs, parent);

    // A household's accounts are private: the copy is 0700, as the live folder.
    const std::string host = HostName();
    std::string temporary;
    int err = EEXIST;
    for (int attempt = 0; attempt < 100 && err == EEXIST; ++attempt) {
        temporary = (target.parent_path() /
                     TemporaryFileName(target.filename().string(), host, ::getpid(), attempt))
                        .string();
        err = fs.MakeFolder(temporary, 0700);
    }
    if (err != 0)
        return notMade(err);
    const DataFolder copy(temporary, fs);
    std::vector<std::string> written;
    for (const auto& [name, bytes] : files) {
        if (!bytes)
            continue;
        // Named first: a file renamed into place whose folder sync failed is removed too.
        written.push_back(name);
        IoResult replaced = copy.Replace(name, *bytes);
        if (!replaced.ok()) {
            Abandon(copy, written);
            IoError failed = *replaced.error;
            // The user knows no temporary folder, and no file of it stays.
            failed.path = DataFolder(destination, fs).PathOf(name);
            if (failed.step == IoStep::SyncFolder)
                failed.step = IoStep::Sync;
            return NothingWritten({DescribeIoError(failed)}, destination);
        }
    }
    // An empty folder there is replaced; one that took a file meanwhile is not.
    if ((err = fs.Rename(temporary, target.string())) != 0) {
        Abandon(copy, written);
        if (err == ENOTEMPTY || err == EEXIST)
            return "書き出し先 " + destination +
                   " は空ではありません。新しいフォルダを指定してください。";
        return NothingWritten({notMade(err)}, destination);
    }
    if ((err = fs.SyncDirectory(parent)) != 0)
        return DescribeIoError({IoStep::SyncFolder, err, destination});
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

std::vector<std::string> ReadFolderAsOf(const DataFolder& folder, std::int64_t moment,
                                        FolderFiles& files) {
    files.clear();
    if (std::vector<std::string> failed = ReadLiveFiles(folder, files); !failed.empty())
        return failed;
    const History history = ReadHistory(folder);
    if (history.error)
        return {DescribeIoError(*history.error)};
    // The history was read between two reads of the same live files.
    FolderFiles again;
    if (std::vector<std::string> failed = ReadLiveFiles(folder, again); !failed.empty())
        return failed;
    if (again != files)
        return {"データフォルダを読んでいる間に変更がありました。もう一度お試しください。"};
    std::vector<FileState> states;
    if (std::string damage = StatesAt(folder, history, moment, states); !damage.empty())
        return {damage};
    for (FileState& state : states)
        files[state.file] = std::move(state.bytes);
    return {};
}

}  // namespace

bool IsDataFileName(std::string_view name) {
    return IsMonthFileName(name, ".DAT") || IsMonthFileName(name, ".MEM") ||
           name == kCategoryFileName || name == kSettingsFileName || name == kFixedItemsFileName ||
           name == kEntryOptionsFileName || name == kStatementRulesFileName ||
           name == kStatementLayoutsFileName;
}

int ListDataFiles(const std::string& folderPath, std::vector<std::string>& names) {
    names.clear();
    std::error_code error;
    for (std::filesystem::directory_iterator it(folderPath, error), end; !error && it != end;
         it.increment(error)) {
        std::string name = it->path().filename().string();
        if (IsDataFileName(name))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return error.value();
}

std::vector<std::string> DataFileNames(const std::string& folderPath) {
    std::vector<std::string> names;
    ListDataFiles(folderPath, names);
    return names;
}

std::string BackUpFolder(const DataFolder& folder, const std::string& destination) {
    if (std::string refused = RefuseDestination(folder.path(), destination); !refused.empty())
        return refused;
    // Under the lock no program is halfway through a change of the folder.
    FolderLock lock(folder.path(), "hanaki", folder.fs());
    if (!lock.held() && !lock.writeRefused())
        return DescribeLockRefusal(lock, LockAsker::Command);
    FolderFiles files;
    if (std::vector<std::string> failed = ReadLiveFiles(folder, files); !failed.empty())
        return NothingWritten(failed, destination);
    if (files.empty())
        return NothingWritten(
            {"データフォルダ " + folder.path() + " には家計簿のファイルがありません。"},
            destination);
    return WriteCopy(folder.fs(), destination, files);
}

std::string RestoreFolderAsOf(const DataFolder& folder, std::int64_t moment,
                              const std::string& destination) {
    if (std::string refused = RefuseDestination(folder.path(), destination); !refused.empty())
        return refused;
    FolderFiles files;
    std::vector<std::string> failed;
    for (int attempt = 1; attempt <= kReadAttempts; ++attempt) {
        if (attempt > 1)
            PauseBeforeReadingAgain(attempt);
        failed = ReadFolderAsOf(folder, moment, files);
        if (failed.empty())
            return WriteCopy(folder.fs(), destination, files);
    }
    return NothingWritten(failed, destination);
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

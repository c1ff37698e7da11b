#include "data/disk/stale_temporaries.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <optional>
#include <string>
#include <vector>

namespace hanaki {
namespace {

constexpr std::string_view kMark = ".hanaki~";
constexpr std::string_view kEnd = ".tmp";

bool AllDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The writer's process id, when `name` is a temporary file this computer's
// writer made.
std::optional<pid_t> WriterOf(std::string_view name, std::string_view host) {
    if (!name.starts_with('.') || !name.ends_with(kEnd))
        return std::nullopt;
    std::string_view core = name.substr(1, name.size() - 1 - kEnd.size());
    std::size_t numbers = core.rfind('~');
    if (numbers == std::string_view::npos)
        return std::nullopt;
    std::string_view pidAndAttempt = core.substr(numbers + 1);
    std::string_view rest = core.substr(0, numbers);
    std::size_t dash = pidAndAttempt.find('-');
    if (dash == std::string_view::npos || !AllDigits(pidAndAttempt.substr(0, dash)) ||
        !AllDigits(pidAndAttempt.substr(dash + 1)) || !rest.ends_with(host) ||
        !rest.substr(0, rest.size() - host.size()).ends_with(kMark) ||
        rest.size() == host.size() + kMark.size())
        return std::nullopt;
    pid_t pid = 0;
    auto [end, error] = std::from_chars(pidAndAttempt.data(), pidAndAttempt.data() + dash, pid);
    if (error != std::errc() || pid <= 0)
        return std::nullopt;
    return pid;
}

bool ProcessIsGone(pid_t pid) {
    return pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH;
}

std::vector<std::string> NamesIn(const std::string& path) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr)
        return names;
    while (const dirent* entry = ::readdir(dir))
        names.emplace_back(entry->d_name);
    ::closedir(dir);
    return names;
}

// A copy of a household built under a temporary name (folder_copy.h) and
// abandoned: its files are removed, then the folder. A copy holds files
// only; a folder or a link in it is no copy of ours, and keeps it all.
bool RemoveAbandonedCopy(FileSystem& fs, const std::string& path) {
    std::vector<std::string> files;
    for (const std::string& name : NamesIn(path)) {
        struct stat st;
        if (name == "." || name == "..")
            continue;
        if (::lstat(PathIn(path, name).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            return false;
        files.push_back(PathIn(path, name));
    }
    for (const std::string& file : files) {
        if (int err = fs.Remove(file); err != 0 && err != ENOENT)
            return false;
    }
    return fs.RemoveFolder(path) == 0;
}

}  // namespace

std::string TemporaryFileName(const std::string& targetName, const std::string& host, long pid,
                              int attempt) {
    return "." + targetName + std::string(kMark) + host + "~" + std::to_string(pid) + "-" +
           std::to_string(attempt) + std::string(kEnd);
}

int RemoveStaleTemporaryFiles(FileSystem& fs, const std::string& folder) {
    // Without a name of its own, this computer cannot tell its temporaries.
    const std::string host = HostName();
    if (host.empty())
        return 0;
    int removed = 0;
    for (const std::string& name : NamesIn(folder)) {
        std::optional<pid_t> writer = WriterOf(name, host);
        if (!writer || !ProcessIsGone(*writer))
            continue;
        std::string path = PathIn(folder, name);
        struct stat st;
        if (::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
            removed += RemoveAbandonedCopy(fs, path) ? 1 : 0;
        } else if (fs.Exists(path) && fs.Remove(path) == 0) {
            ++removed;
        }
    }
    if (removed > 0)
        fs.SyncDirectory(folder);
    return removed;
}

}  // namespace hanaki

#include "data/stale_temporaries.h"

#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <optional>
#include <string>
#include <vector>

namespace hanaki {
namespace {

bool AllDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The writer's process id from "<target>.tmp<pid>-<n>".
std::optional<pid_t> WriterOf(std::string_view name) {
    std::size_t mark = name.rfind(".tmp");
    if (mark == std::string_view::npos || mark == 0)
        return std::nullopt;
    std::string_view rest = name.substr(mark + 4);
    std::size_t dash = rest.find('-');
    if (dash == std::string_view::npos || !AllDigits(rest.substr(0, dash)) ||
        !AllDigits(rest.substr(dash + 1)))
        return std::nullopt;
    pid_t pid = 0;
    auto [end, error] = std::from_chars(rest.data(), rest.data() + dash, pid);
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

}  // namespace

int RemoveStaleTemporaryFiles(const DataFolder& folder) {
    int removed = 0;
    for (const std::string& name : NamesIn(folder.path())) {
        std::optional<pid_t> writer = WriterOf(name);
        if (!writer || !ProcessIsGone(*writer))
            continue;
        std::string path = folder.PathOf(name);
        if (folder.fs().Exists(path) && folder.fs().Remove(path) == 0)
            ++removed;
    }
    if (removed > 0)
        folder.fs().SyncDirectory(folder.path());
    return removed;
}

}  // namespace hanaki

#include "data/disk/folder_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace hanaki {
namespace {

namespace fs = std::filesystem;

// One spelling per folder: absolute, links of the existing part followed,
// ".." applied after the links (as the system does), no trailing slash.
fs::path Resolved(const std::string& path) {
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    if (ec)
        absolute = path;
    fs::path resolved = fs::weakly_canonical(absolute, ec);
    if (ec)
        resolved = absolute.lexically_normal();
    return resolved.has_filename() ? resolved : resolved.parent_path();
}

bool IsRegularFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

bool IsSameFolder(const std::string& a, const std::string& b) {
    // Also catches two mount points of one folder, and case-insensitive file systems.
    std::error_code ec;
    if (fs::equivalent(a, b, ec))
        return true;
    return Resolved(a) == Resolved(b);
}

bool IsInsideFolder(const std::string& path, const std::string& folder) {
    const fs::path outer = Resolved(folder);
    std::error_code ec;
    for (fs::path up = Resolved(path); up != up.parent_path();) {
        up = up.parent_path();
        if (up == outer || fs::equivalent(up, folder, ec))
            return true;
    }
    return false;
}

DataFolderChoice ChooseDataFolder(const std::string& dataDirOption,
                                  const std::string& programFolder, bool installed,
                                  const char* xdgDataHome, const char* home) {
    if (!dataDirOption.empty())
        return {dataDirOption, false};
    if (!installed)
        return {programFolder, false};
    // A relative XDG_DATA_HOME is to be ignored, as if it were unset.
    std::string base;
    if (xdgDataHome && xdgDataHome[0] == '/')
        base = xdgDataHome;
    else if (home && home[0] != '\0')
        base = std::string(home) + "/.local/share";
    if (base.empty())
        return {programFolder, false};
    if (base.back() != '/')
        base += '/';
    return {base + "hanaki", true};
}

DataFolderChoice ChooseDataFolder(const std::string& dataDirOption) {
    std::string program = ProgramFolder();
    // Root may write /usr/bin, yet the data of an installed program never goes there.
    bool systemFolder = program.starts_with("/usr/") || program.starts_with("/opt/") ||
                        program == "/bin" || program == "/sbin";
    // A copy in ~/bin or ~/.local/bin is an install too: only a portable copy
    // brought with its household has a category file beside it.
    bool withHousehold = !program.empty() && IsRegularFile(program + "/VERADIV.DAT");
    bool installed = systemFolder || !withHousehold || access(program.c_str(), W_OK) != 0;
    return ChooseDataFolder(dataDirOption, program, installed, std::getenv("XDG_DATA_HOME"),
                            std::getenv("HOME"));
}

std::string ProgramFolder() {
    std::error_code ec;
    fs::path program = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : program.parent_path().string();
}

int MakePrivateFolder(const std::string& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return 0;
    fs::path parent = fs::path(path).parent_path();
    if (!parent.empty() && !fs::is_directory(parent, ec)) {
        fs::create_directories(parent, ec);
        if (ec)
            return ec.value();
    }
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return errno;
    return 0;
}

}  // namespace hanaki

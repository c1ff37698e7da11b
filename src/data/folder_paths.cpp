#include "data/folder_paths.h"

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

}  // namespace

bool IsSameFolder(const std::string& a, const std::string& b) {
    // Also catches two mount points of one folder, and case-insensitive file systems.
    std::error_code ec;
    if (fs::equivalent(a, b, ec))
        return true;
    return Resolved(a) == Resolved(b);
}

}  // namespace hanaki

#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace hanaki::testing {

// A whole file written or read as bytes, for tests that lay out folders by path.
inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Every name in `folder` with its bytes; empty when there is no such folder.
inline std::map<std::string, std::string> Listing(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        files[entry.path().filename()] = ReadFile(entry.path());
    return files;
}

// The programs' temporary files and folders anywhere below `root` that can be read.
inline std::vector<std::string> TemporariesUnder(const std::filesystem::path& root) {
    std::vector<std::string> found;
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator
             it(root, std::filesystem::directory_options::skip_permission_denied, error),
         end;
         !error && it != end; it.increment(error)) {
        if (it->path().filename().string().find(".hanaki~") != std::string::npos)
            found.push_back(it->path());
    }
    return found;
}

}  // namespace hanaki::testing

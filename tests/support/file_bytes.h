#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace hanaki::testing {

// A whole file written or read as bytes, for tests that lay out folders by path.
inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace hanaki::testing

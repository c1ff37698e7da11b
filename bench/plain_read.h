#pragma once

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace hanaki {

// The floor a reader of these files cannot beat: each read whole with plain
// read() calls, timed in the same run as the code it is compared with.
inline void ReadPlainly(benchmark::State& state, const std::vector<std::string>& paths) {
    std::vector<char> buffer(1 << 20);
    for (auto _ : state) {
        for (const std::string& path : paths) {
            int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            while (::read(fd, buffer.data(), buffer.size()) > 0) {
            }
            ::close(fd);
        }
        benchmark::DoNotOptimize(buffer.data());
    }
}

}  // namespace hanaki

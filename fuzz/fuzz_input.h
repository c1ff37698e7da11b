#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

// Shared pieces of the fuzz targets: taking parameters off the front of the
// input, and stopping on a broken promise so the fuzzer keeps the input.
namespace hanaki::fuzzing {

class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    // One byte mapped onto 0 … count - 1 (0 when the input is used up).
    int Choose(int count) {
        if (rest_.empty())
            return 0;
        unsigned char byte = static_cast<unsigned char>(rest_.front());
        rest_.remove_prefix(1);
        return byte % count;
    }
    // A closing day: 1 … 28 or 31.
    int ClosingDay() {
        int day = Choose(29) + 1;
        return day == 29 ? 31 : day;
    }
    std::string_view Rest() const { return rest_; }

  private:
    std::string_view rest_;
};

inline void Require(bool holds, const char* promise) {
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\n", promise);
    std::abort();
}

}  // namespace hanaki::fuzzing

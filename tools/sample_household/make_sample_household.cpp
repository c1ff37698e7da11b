#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

#include "sample_household/extreme_household.h"
#include "sample_household/sample_household.h"

// make_sample_household FOLDER YYYY-MM-DD [SEED]: writes the sample household
// into FOLDER (made when missing) with its last month the one holding that day.
// make_sample_household --extreme FOLDER: the household of the largest figures.
int main(int argc, char** argv) {
    using namespace hanaki;
    if (argc == 3 && std::string(argv[1]) == "--extreme") {
        std::error_code ec;
        std::filesystem::create_directories(argv[2], ec);
        IoResult written = sample::WriteExtremeHousehold(DataFolder(argv[2], RealFileSystem()));
        if (!written.ok())
            std::cerr << DescribeIoError(*written.error) << "\n";
        return written.ok() ? 0 : 1;
    }
    CivilDate today;
    char tail = 0;
    if (argc < 3 || argc > 4 ||
        std::sscanf(argv[2], "%4d-%2d-%2d%c", &today.year, &today.month, &today.day, &tail) != 3) {
        std::cerr << "使い方: make_sample_household フォルダ YYYY-MM-DD [種]\n"
                     "        make_sample_household --extreme フォルダ\n";
        return 2;
    }
    const std::uint32_t seed = argc == 4 ? static_cast<std::uint32_t>(std::stoul(argv[3])) : 1;
    std::error_code ec;
    std::filesystem::create_directories(argv[1], ec);
    IoResult written =
        sample::WriteSampleHousehold(DataFolder(argv[1], RealFileSystem()), today, seed);
    if (!written.ok()) {
        std::cerr << DescribeIoError(*written.error) << "\n";
        return 1;
    }
    return 0;
}

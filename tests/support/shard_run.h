#pragma once

#include <gtest/gtest.h>

#include <cstdio>

namespace hanaki {

// ctest runs each test program as one or a few processes, each a GoogleTest
// shard. A process that ran no test stands for a program that lost its tests
// (or a shard count above its test count): a failure, never a pass.
inline int RunTestsOfThisShard() {
    const int result = RUN_ALL_TESTS();
    if (testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
        std::fputs("no test ran\n", stderr);
        return 1;
    }
    return result;
}

}  // namespace hanaki

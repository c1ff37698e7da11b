#include <gtest/gtest.h>

#include "support/shard_run.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return hanaki::RunTestsOfThisShard();
}

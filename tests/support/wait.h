#pragma once

#include <gtest/gtest.h>

#include <QTest>

namespace hanaki::testing {

// Processes events until `condition` holds, for at most `timeoutMs`. The
// result fails the test where it is checked (ASSERT_TRUE(WaitFor(…))), which
// QtTest's own waiting macros cannot do under GoogleTest.
template <typename Condition>
::testing::AssertionResult WaitFor(Condition condition, const char* what, int timeoutMs = 5000) {
    if (QTest::qWaitFor(condition, timeoutMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "waited " << timeoutMs << " ms for " << what;
}

}  // namespace hanaki::testing

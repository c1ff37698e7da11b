#pragma once

#include <gtest/gtest.h>

#include <QTest>

namespace hanaki::testing {

// Processes events until `condition` holds, for at most `timeoutMs`. The
// result fails the test where it is checked (ASSERT_TRUE(WaitFor(…))), which
// QtTest's own waiting macros cannot do under GoogleTest. A wait returns as
// soon as its condition holds; the limit is only reached by a fault, so it is
// long enough for a sanitized build on a busy two-core machine (a find search
// there once took over 5 s).
template <typename Condition>
::testing::AssertionResult WaitFor(Condition condition, const char* what, int timeoutMs = 20000) {
    if (QTest::qWaitFor(condition, timeoutMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "waited " << timeoutMs << " ms for " << what;
}

}  // namespace hanaki::testing

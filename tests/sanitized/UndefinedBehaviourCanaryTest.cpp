// Undefined behaviour made on purpose, so that scripts/ubsan-test can see that a report stops
// the sanitized tests: otherwise their passing would prove nothing.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

TEST(SanitizerCanary, OverflowsASignedIntegerWhenAsked)
{
    if (!std::getenv("GALAVITE_UNDEFINED_ON_PURPOSE"))
        GTEST_SKIP() << "run by the undefined-behaviour sanitizer script only";
    volatile int largest = INT_MAX;
    EXPECT_LT(largest + 1, 0);
}

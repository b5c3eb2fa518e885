#include <QThread>

#include <cstdlib>
#include <memory>

#include <gtest/gtest.h>

// Races on purpose, on threads started the way the jobs start theirs, so that the sanitizer run
// can show it still reports a race in our own code once its suppressions and environment are set.
// Only the sanitizer script asks for it; elsewhere it skips.
TEST(SanitizerCanary, RacesOnPlainDataWhenAsked)
{
    if (!std::getenv("GALAVITE_RACE_ON_PURPOSE"))
        GTEST_SKIP() << "run by the thread sanitizer script only";
    static long unguarded = 0;
    auto bump = [] {
        for (int i = 0; i < 100000; ++i)
            unguarded = unguarded + 1;
    };
    std::unique_ptr<QThread> first(QThread::create(bump));
    std::unique_ptr<QThread> second(QThread::create(bump));
    first->start();
    second->start();
    first->wait();
    second->wait();
    EXPECT_GT(unguarded, 0);
}

#include "app/StatisticsLine.h"
#include "app/StatisticsPeriod.h"

#include <gtest/gtest.h>

namespace
{
constexpr uint64_t g_Second = 10000000;
constexpr uint64_t g_Start = 5 * g_Second;
} // namespace

TEST(StatisticsLine, CountAndRatePerSecond)
{
    EXPECT_EQ(FormatStatisticsLine(1953, 100064000), "Statistics: PresentCount +1953 (+195.18 per second)");
    EXPECT_EQ(FormatStatisticsLine(0, 100000001), "Statistics: PresentCount +0 (+0.00 per second)");
    EXPECT_EQ(FormatStatisticsLine(4000000000u, g_Second), "Statistics: PresentCount +4000000000 (+4000000000.00 per second)");
}

TEST(StatisticsPeriod, TheFirstFramePastTenSecondsClosesThePeriod)
{
    StatisticsPeriod const Period(g_Start);
    EXPECT_FALSE(Period.Due(g_Start));
    EXPECT_FALSE(Period.Due(g_Start + 10 * g_Second));
    EXPECT_TRUE(Period.Due(g_Start + 10 * g_Second + 1));
    // A clock set back before the start is not past the deadline.
    EXPECT_FALSE(Period.Due(g_Start - g_Second));
}

TEST(StatisticsPeriod, EachLineCountsItsOwnPeriodFromTheFrameThatClosedTheLast)
{
    StatisticsPeriod Period(g_Start);
    uint32_t PresentCount = 1440;
    uint64_t const First = g_Start + 10 * g_Second + 2;
    EXPECT_EQ(Period.Close(First, PresentCount), "Statistics: PresentCount +1440 (+144.00 per second)");
    EXPECT_EQ(PresentCount, 0u);
    EXPECT_FALSE(Period.Due(First + 10 * g_Second));
    EXPECT_TRUE(Period.Due(First + 10 * g_Second + 1));
    PresentCount = 1200;
    EXPECT_EQ(Period.Close(First + 12 * g_Second, PresentCount), "Statistics: PresentCount +1200 (+100.00 per second)");
    EXPECT_EQ(PresentCount, 0u);
}

#include "app/StatisticsLine.h"

#include <gtest/gtest.h>

TEST(StatisticsLine, CountAndRatePerSecond)
{
    EXPECT_EQ(FormatStatisticsLine(1440, 100000000), "Statistics: PresentCount +1440 (+144.00 per second)");
    EXPECT_EQ(FormatStatisticsLine(1953, 100064000), "Statistics: PresentCount +1953 (+195.18 per second)");
    EXPECT_EQ(FormatStatisticsLine(0, 100000001), "Statistics: PresentCount +0 (+0.00 per second)");
}

TEST(StatisticsLine, LargeCountsStayUnsigned)
{
    EXPECT_EQ(FormatStatisticsLine(4000000000u, 10000000), "Statistics: PresentCount +4000000000 (+4000000000.00 per second)");
}

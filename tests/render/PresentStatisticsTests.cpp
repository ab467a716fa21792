#include "render/PresentStatistics.h"

#include <gtest/gtest.h>

namespace
{
DXGI_FRAME_STATISTICS Reading(UINT PresentCount, UINT PresentRefreshCount, UINT SyncRefreshCount)
{
    DXGI_FRAME_STATISTICS Statistics {};
    Statistics.PresentCount = PresentCount;
    Statistics.PresentRefreshCount = PresentRefreshCount;
    Statistics.SyncRefreshCount = SyncRefreshCount;
    return Statistics;
}

constexpr uint64_t g_Period = 100000000;
} // namespace

TEST(PresentStatistics, DifferencesWrapAndHaveRatesOnlyOverElapsedTime)
{
    EXPECT_EQ(PresentStatistics::FormatDifferences(Reading(0xFFFFFFF0u, 20, 30), Reading(0x10, 1460, 31), g_Period),
        "PresentCount +32, +3.200/sec, PresentRefreshCount +1440, +144.000/sec, SyncRefreshCount +1, +0.100/sec");
    for(int64_t Elapsed : { 0, -5 })
        EXPECT_EQ(PresentStatistics::FormatDifferences(Reading(1, 2, 3), Reading(2, 4, 6), Elapsed), "PresentCount +1, PresentRefreshCount +2, SyncRefreshCount +3");
}

TEST(PresentStatistics, ALineFollowsAStoredReadingWhenAskedFor)
{
    PresentStatistics Statistics;
    EXPECT_EQ(Statistics.Record(0, S_OK, Reading(0, 0, 0), TRUE), "");
    EXPECT_EQ(Statistics.Record(g_Period, S_OK, Reading(600, 600, 600), TRUE),
        "DXGI SwapChain: PresentCount +600, +60.000/sec, PresentRefreshCount +600, +60.000/sec, SyncRefreshCount +600, +60.000/sec");
    EXPECT_EQ(Statistics.Record(2 * g_Period, S_OK, Reading(700, 700, 700), FALSE), "");
    // Time going back gives the counts only.
    EXPECT_EQ(Statistics.Record(g_Period, S_OK, Reading(701, 701, 701), TRUE), "DXGI SwapChain: PresentCount +1, PresentRefreshCount +1, SyncRefreshCount +1");
}

TEST(PresentStatistics, FailedReadingDropsTheStoredOne)
{
    PresentStatistics Statistics;
    Statistics.Record(0, S_OK, Reading(0, 0, 0), FALSE);
    EXPECT_EQ(Statistics.Record(g_Period, E_NOTIMPL, Reading(9, 9, 9), TRUE), "");
    // The next good reading is only stored; lines resume one period later.
    EXPECT_EQ(Statistics.Record(2 * g_Period, S_OK, Reading(100, 100, 100), TRUE), "");
    EXPECT_EQ(Statistics.Record(3 * g_Period, S_OK, Reading(110, 110, 110), TRUE),
        "DXGI SwapChain: PresentCount +10, +1.000/sec, PresentRefreshCount +10, +1.000/sec, SyncRefreshCount +10, +1.000/sec");
}

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

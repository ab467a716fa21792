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

#pragma once

#include <dxgi.h>

#include <cstdint>
#include <string>

// The last frame-statistics reading of the swap chain, with its time stamp in the run loop's clock
// (100-nanosecond units).
class PresentStatistics
{
public:
    // Takes a new reading and, with Report, prints the differences to the stored one as the line
    // "DXGI SwapChain: ...". A failed reading drops the stored one. Never fails.
    void Update(uint64_t Time, IDXGISwapChain* SwapChain, BOOL Report);

    // The same from a reading already taken: returns the line to print, or an empty string.
    std::string Record(uint64_t Time, HRESULT Result, const DXGI_FRAME_STATISTICS& FrameStatistics, BOOL Report);

    // The items of the differences between two readings Elapsed apart, joined with ", ".
    static std::string FormatDifferences(const DXGI_FRAME_STATISTICS& Previous, const DXGI_FRAME_STATISTICS& Current, int64_t Elapsed);

    uint64_t m_Time = 0;
    DXGI_FRAME_STATISTICS m_FrameStatistics {};
    BOOL m_Valid = FALSE;
};

// The run loop's line for one reporting period: the presents counted in it and their rate over
// Period (100-nanosecond units), "Statistics: PresentCount +N (+R per second)".
std::string FormatStatisticsLine(uint32_t PresentCount, uint64_t Period);

// The run loop's reporting period of 10 seconds, in 100-nanosecond units: the frame that starts past
// its deadline closes it with a "Statistics:" line for the presents counted since the last one.
class StatisticsPeriod
{
public:
    explicit StatisticsPeriod(uint64_t Start = 0) noexcept;

    // Whether the frame at Now closes the period.
    bool Due(uint64_t Now) const noexcept;
    // The line for the period that ends at Now with PresentCount presents; sets PresentCount back to
    // 0 and starts the next period at Now.
    std::string Close(uint64_t Now, uint32_t& PresentCount);

    uint64_t m_LastReport;
    uint64_t m_NextReport;
};

#pragma once

#include <cstdint>
#include <string>

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

#include "app/StatisticsPeriod.h"

#include "app/StatisticsLine.h"
#include "app/Ticks.h"

namespace
{
constexpr uint64_t g_ReportPeriod = static_cast<uint64_t>(10 * g_TicksPerSecond);
} // namespace

StatisticsPeriod::StatisticsPeriod(uint64_t Start) noexcept : m_LastReport(Start), m_NextReport(Start + g_ReportPeriod)
{
}

bool StatisticsPeriod::Due(uint64_t Now) const noexcept
{
    // A signed difference, so that a clock set back does not report at once.
    return static_cast<int64_t>(Now - m_NextReport) > 0;
}

std::string StatisticsPeriod::Close(uint64_t Now, uint32_t& PresentCount)
{
    std::string Line = FormatStatisticsLine(PresentCount, Now - m_LastReport);
    m_LastReport = Now;
    PresentCount = 0;
    m_NextReport = Now + g_ReportPeriod;
    return Line;
}

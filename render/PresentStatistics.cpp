#include "render/PresentStatistics.h"

#include "common/Text.h"
#include "common/Ticks.h"
#include "diag/ConsoleOutput.h"

#include <vector>

namespace
{
constexpr uint64_t g_ReportPeriod = static_cast<uint64_t>(10 * g_TicksPerSecond);

void AddCounter(std::vector<std::string>& Items, const char* Format, UINT Previous, UINT Current, int64_t Elapsed)
{
    // Counters restart below their stored value now and then: the difference wraps.
    UINT const Difference = Current - Previous;
    Items.push_back(FormatText(Format, Difference));
    if(Elapsed > 0)
        Items.push_back(FormatText("+%.3f/sec", Difference * g_TicksPerSecond / static_cast<double>(Elapsed)));
}
} // namespace

void PresentStatistics::Update(uint64_t Time, IDXGISwapChain* SwapChain, BOOL Report)
{
    DXGI_FRAME_STATISTICS FrameStatistics {};
    HRESULT const Result = SwapChain->GetFrameStatistics(&FrameStatistics);
    std::string const Line = Record(Time, Result, FrameStatistics, Report);
    if(!Line.empty())
        PrintLine(Line);
}

std::string PresentStatistics::Record(uint64_t Time, HRESULT Result, const DXGI_FRAME_STATISTICS& FrameStatistics, BOOL Report)
{
    if(FAILED(Result))
    {
        m_Valid = FALSE;
        return {};
    }
    std::string Line;
    if(m_Valid && Report)
        Line = FormatText("DXGI SwapChain: %s", FormatDifferences(m_FrameStatistics, FrameStatistics, static_cast<int64_t>(Time - m_Time)).c_str());
    m_Time = Time;
    m_FrameStatistics = FrameStatistics;
    m_Valid = TRUE;
    return Line;
}

std::string PresentStatistics::FormatDifferences(const DXGI_FRAME_STATISTICS& Previous, const DXGI_FRAME_STATISTICS& Current, int64_t Elapsed)
{
    std::vector<std::string> Items;
    AddCounter(Items, "PresentCount +%u", Previous.PresentCount, Current.PresentCount, Elapsed);
    AddCounter(Items, "PresentRefreshCount +%u", Previous.PresentRefreshCount, Current.PresentRefreshCount, Elapsed);
    AddCounter(Items, "SyncRefreshCount +%u", Previous.SyncRefreshCount, Current.SyncRefreshCount, Elapsed);
    return Join(Items, ", ");
}

std::string FormatStatisticsLine(uint32_t PresentCount, uint64_t Period)
{
    double const Rate = PresentCount * g_TicksPerSecond / static_cast<double>(Period);
    std::vector<std::string> const Items { FormatText("PresentCount +%u (+%.2f per second)", PresentCount, Rate) };
    return FormatText("Statistics: %s", Join(Items, ", ").c_str());
}

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

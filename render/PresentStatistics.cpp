#include "render/PresentStatistics.h"

#include "app/Join.h"
#include "app/Ticks.h"
#include "diag/ConsoleOutput.h"
#include "diag/FormatText.h"

#include <vector>

namespace
{
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

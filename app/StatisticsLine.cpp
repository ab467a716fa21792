#include "app/StatisticsLine.h"

#include "app/Join.h"
#include "app/Ticks.h"
#include "diag/FormatText.h"

#include <vector>

std::string FormatStatisticsLine(uint32_t PresentCount, uint64_t Period)
{
    double const Rate = PresentCount * g_TicksPerSecond / static_cast<double>(Period);
    std::vector<std::string> const Items { FormatText("PresentCount +%u (+%.2f per second)", PresentCount, Rate) };
    return FormatText("Statistics: %s", Join(Items, ", ").c_str());
}

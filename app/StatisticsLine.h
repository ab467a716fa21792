#pragma once

#include <cstdint>
#include <string>

// The run loop's line for one reporting period: the presents counted in it and their rate over
// Period (100-nanosecond units), "Statistics: PresentCount +N (+R per second)".
std::string FormatStatisticsLine(uint32_t PresentCount, uint64_t Period);

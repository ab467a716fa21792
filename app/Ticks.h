#pragma once

#include <windows.h>

#include <cstdint>

// Times and periods are counts of 100-nanosecond units, the unit of the system's precise time.
constexpr double g_TicksPerSecond = 10000000.0;

// The high-resolution performance counter, which the record of frame times reads.
inline int64_t ReadPerformanceCounter() noexcept
{
    LARGE_INTEGER Counter;
    QueryPerformanceCounter(&Counter);
    return Counter.QuadPart;
}

#pragma once

#include <windows.h>

#include <cstdint>

// Times and periods are counts of 100-nanosecond units, the unit of the system's precise time.
constexpr double g_TicksPerSecond = 10000000.0;

// The system's precise time in 100-nanosecond units, the run loop's clock.
inline uint64_t ReadPreciseTime() noexcept
{
    FILETIME Time;
    GetSystemTimePreciseAsFileTime(&Time);
    return (static_cast<uint64_t>(Time.dwHighDateTime) << 32) | Time.dwLowDateTime;
}

// The high-resolution performance counter, which the record of frame times reads.
inline int64_t ReadPerformanceCounter() noexcept
{
    LARGE_INTEGER Counter;
    QueryPerformanceCounter(&Counter);
    return Counter.QuadPart;
}

#pragma once

// Times and periods are counts of 100-nanosecond units, the unit of the system's precise time.
constexpr double g_TicksPerSecond = 10000000.0;

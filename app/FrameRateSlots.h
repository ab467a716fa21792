#pragma once

#include <cstdint>

// Frames counted per half second over the last two seconds, for the overlay's frame rate.
// m_Slots[0] is the current half second, m_CurrentSlot its index since the loop started.
class FrameRateSlots
{
public:
    // Counts one frame at Elapsed (100-nanosecond units since the start). When a new half second has
    // begun, first sets FrameRate to the frames of the four slots per second and returns true.
    bool CountFrame(uint64_t Elapsed, double& FrameRate) noexcept;

    uint32_t m_Slots[4] {};
    uint32_t m_CurrentSlot = 0;

private:
    // Moves the counts Shift slots back, clearing the front ones; a Shift below 1 keeps them.
    void Shift(int32_t Shift) noexcept;
};

#include "app/FrameRateSlots.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr uint64_t g_HalfSecond = 5000000;

// Counts Count frames in half second Slot; the rate that the first of them set, or -1.
double CountFrames(FrameRateSlots& Slots, uint64_t Slot, int Count)
{
    double Rate = -1.0;
    for(int Index = 0; Index < Count; ++Index)
    {
        double Set = -1.0;
        if(Slots.CountFrame(Slot * g_HalfSecond, Set))
            Rate = Set;
    }
    return Rate;
}

std::vector<uint32_t> Counts(const FrameRateSlots& Slots)
{
    return { std::begin(Slots.m_Slots), std::end(Slots.m_Slots) };
}
} // namespace

TEST(FrameRateSlots, RateIsTheFourSlotsPerSecondFromTheFirstChangeOn)
{
    FrameRateSlots Slots;
    EXPECT_EQ(CountFrames(Slots, 0, 30), -1.0);
    // The first change sees only the first half second: 30 frames in two seconds.
    EXPECT_DOUBLE_EQ(CountFrames(Slots, 1, 20), 15.0);
    CountFrames(Slots, 2, 10);
    CountFrames(Slots, 3, 40);
    EXPECT_DOUBLE_EQ(CountFrames(Slots, 4, 1), 50.0);
    EXPECT_EQ(Slots.m_CurrentSlot, 4u);
    EXPECT_EQ(Counts(Slots), (std::vector<uint32_t> { 1, 40, 10, 20 }));
}

TEST(FrameRateSlots, SkippedHalfSecondsDropTheirCounts)
{
    FrameRateSlots Slots;
    CountFrames(Slots, 0, 1);
    CountFrames(Slots, 1, 2);
    CountFrames(Slots, 2, 3);
    EXPECT_DOUBLE_EQ(CountFrames(Slots, 4, 1), 3.0);
    EXPECT_EQ(Counts(Slots), (std::vector<uint32_t> { 1, 0, 3, 2 }));
    // A stall longer than two seconds clears every slot.
    EXPECT_DOUBLE_EQ(CountFrames(Slots, 20, 1), 3.0);
    EXPECT_EQ(Counts(Slots), (std::vector<uint32_t> { 1, 0, 0, 0 }));
    EXPECT_DOUBLE_EQ(CountFrames(Slots, 21, 1), 0.5);
}

TEST(FrameRateSlots, ClockSetBackKeepsCountsAndTheSlotWrapsAtThirtyTwoBits)
{
    FrameRateSlots Slots;
    CountFrames(Slots, 0, 2);
    CountFrames(Slots, 3, 4);
    EXPECT_DOUBLE_EQ(CountFrames(Slots, 1, 1), 3.0);
    EXPECT_EQ(Slots.m_CurrentSlot, 1u);
    EXPECT_EQ(Counts(Slots), (std::vector<uint32_t> { 5, 0, 0, 2 }));

    FrameRateSlots Wrapped;
    EXPECT_EQ(CountFrames(Wrapped, uint64_t(1) << 32, 1), -1.0);
    EXPECT_EQ(Counts(Wrapped), (std::vector<uint32_t> { 1, 0, 0, 0 }));
}

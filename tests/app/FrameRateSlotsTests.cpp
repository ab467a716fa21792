#include "app/FrameRateSlots.h"

#include <gtest/gtest.h>

namespace
{
constexpr uint64_t g_HalfSecond = 5000000;

void CountFrames(FrameRateSlots& Slots, uint64_t Elapsed, int Count)
{
    double Rate = -1.0;
    for(int Index = 0; Index < Count; ++Index)
        Slots.CountFrame(Elapsed, Rate);
}
} // namespace

TEST(FrameRateSlots, RateStaysUnsetDuringTheFirstHalfSecond)
{
    FrameRateSlots Slots;
    double Rate = -1.0;
    EXPECT_FALSE(Slots.CountFrame(0, Rate));
    EXPECT_FALSE(Slots.CountFrame(g_HalfSecond - 1, Rate));
    EXPECT_EQ(Rate, -1.0);
    EXPECT_EQ(Slots.m_Slots[0], 2u);
    EXPECT_EQ(Slots.m_CurrentSlot, 0u);
}

TEST(FrameRateSlots, RateIsTheFourSlotsPerSecond)
{
    FrameRateSlots Slots;
    CountFrames(Slots, 0, 30);
    CountFrames(Slots, g_HalfSecond, 20);
    CountFrames(Slots, 2 * g_HalfSecond, 10);
    CountFrames(Slots, 3 * g_HalfSecond, 40);
    double Rate = -1.0;
    // The frame that opens the fifth half second sees 100 frames in the last two seconds.
    EXPECT_TRUE(Slots.CountFrame(4 * g_HalfSecond, Rate));
    EXPECT_DOUBLE_EQ(Rate, 50.0);
    EXPECT_EQ(Slots.m_CurrentSlot, 4u);
    EXPECT_EQ(Slots.m_Slots[0], 1u);
    EXPECT_EQ(Slots.m_Slots[1], 40u);
    EXPECT_EQ(Slots.m_Slots[2], 10u);
    EXPECT_EQ(Slots.m_Slots[3], 20u);
}

TEST(FrameRateSlots, FirstChangeCountsTheFirstHalfSecondOnly)
{
    FrameRateSlots Slots;
    CountFrames(Slots, 0, 7);
    double Rate = -1.0;
    EXPECT_TRUE(Slots.CountFrame(g_HalfSecond, Rate));
    EXPECT_DOUBLE_EQ(Rate, 3.5);
    EXPECT_FALSE(Slots.CountFrame(g_HalfSecond + 1, Rate));
    EXPECT_DOUBLE_EQ(Rate, 3.5);
}

TEST(FrameRateSlots, ShiftDropsCountsThatLeave)
{
    FrameRateSlots Slots;
    CountFrames(Slots, 0, 1);
    CountFrames(Slots, g_HalfSecond, 2);
    CountFrames(Slots, 2 * g_HalfSecond, 3);
    double Rate = 0.0;
    Slots.CountFrame(4 * g_HalfSecond, Rate); // two half seconds at once
    EXPECT_DOUBLE_EQ(Rate, 3.0);
    EXPECT_EQ(Slots.m_Slots[0], 1u);
    EXPECT_EQ(Slots.m_Slots[1], 0u);
    EXPECT_EQ(Slots.m_Slots[2], 3u);
    EXPECT_EQ(Slots.m_Slots[3], 2u);
}

TEST(FrameRateSlots, StallClearsAllSlots)
{
    FrameRateSlots Slots;
    for(uint64_t Slot = 0; Slot < 4; ++Slot)
        CountFrames(Slots, Slot * g_HalfSecond, 5);
    double Rate = 0.0;
    EXPECT_TRUE(Slots.CountFrame(20 * g_HalfSecond, Rate));
    EXPECT_DOUBLE_EQ(Rate, 10.0);
    EXPECT_EQ(Slots.m_Slots[0], 1u);
    EXPECT_EQ(Slots.m_Slots[1], 0u);
    EXPECT_EQ(Slots.m_Slots[2], 0u);
    EXPECT_EQ(Slots.m_Slots[3], 0u);
    // The next change sees only the frame after the stall.
    EXPECT_TRUE(Slots.CountFrame(21 * g_HalfSecond, Rate));
    EXPECT_DOUBLE_EQ(Rate, 0.5);
}

TEST(FrameRateSlots, ClockSetBackKeepsCounts)
{
    FrameRateSlots Slots;
    CountFrames(Slots, 0, 2);
    CountFrames(Slots, 3 * g_HalfSecond, 4);
    double Rate = 0.0;
    EXPECT_TRUE(Slots.CountFrame(g_HalfSecond, Rate));
    EXPECT_DOUBLE_EQ(Rate, 3.0);
    EXPECT_EQ(Slots.m_CurrentSlot, 1u);
    EXPECT_EQ(Slots.m_Slots[0], 5u);
    EXPECT_EQ(Slots.m_Slots[3], 2u);
}

TEST(FrameRateSlots, SlotIsKeptToThirtyTwoBits)
{
    FrameRateSlots Slots;
    double Rate = 0.0;
    // 2^32 half seconds later the slot index wraps back to 0: no new half second.
    EXPECT_FALSE(Slots.CountFrame((uint64_t(1) << 32) * g_HalfSecond, Rate));
    EXPECT_EQ(Slots.m_Slots[0], 1u);
}

#include "app/FrameRateSlots.h"

#include "app/Ticks.h"

namespace
{
constexpr uint64_t g_SlotPeriod = static_cast<uint64_t>(g_TicksPerSecond / 2); // half a second
constexpr int32_t g_SlotCount = 4;
} // namespace

bool FrameRateSlots::CountFrame(uint64_t Elapsed, double& FrameRate) noexcept
{
    uint32_t const Slot = static_cast<uint32_t>(Elapsed / g_SlotPeriod);
    bool const Changed = Slot != m_CurrentSlot;
    if(Changed)
    {
        uint32_t const Count = m_Slots[0] + m_Slots[1] + m_Slots[2] + m_Slots[3];
        FrameRate = Count * g_TicksPerSecond / (g_SlotCount * g_SlotPeriod);
        Shift(static_cast<int32_t>(Slot - m_CurrentSlot));
        m_CurrentSlot = Slot;
    }
    m_Slots[0] += 1;
    return Changed;
}

void FrameRateSlots::Shift(int32_t Shift) noexcept
{
    if(Shift < 1)
        return;
    for(int32_t Index = g_SlotCount - 1; Index >= 0; --Index)
        m_Slots[Index] = Index >= Shift ? m_Slots[Index - Shift] : 0;
}

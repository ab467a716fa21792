#include "render/SwapChainFlags.h"

#include <dxgi.h>

#include <gtest/gtest.h>

namespace
{
constexpr UINT g_ModeSwitch = DXGI_SWAP_CHAIN_FLAG_ALLOW_MODE_SWITCH;
constexpr UINT g_Waitable = DXGI_SWAP_CHAIN_FLAG_FRAME_LATENCY_WAITABLE_OBJECT;
constexpr UINT g_Tearing = DXGI_SWAP_CHAIN_FLAG_ALLOW_TEARING;
} // namespace

// Modes outside the scale (4, -1) behave as Default.
TEST(SwapChainFlags, ModeSwitchAndWaitableObjectWhenEnabledTearingUnlessDisabled)
{
    for(INT Mode : { 0, 1, 2, 4, -1 })
    {
        EXPECT_EQ(GetSwapChainFlags(Mode, Mode, 2, TRUE), 0u) << Mode;
        EXPECT_EQ(GetSwapChainFlags(0, 0, Mode, TRUE), Mode == 2 ? 0u : g_Tearing) << Mode;
        EXPECT_EQ(GetSwapChainFlags(0, 0, Mode, FALSE), 0u) << Mode;
    }
    EXPECT_EQ(GetSwapChainFlags(3, 0, 2, TRUE), g_ModeSwitch);
    EXPECT_EQ(GetSwapChainFlags(0, 3, 2, TRUE), g_Waitable);
    // Enabled tearing is asked for whether the factory supports it or not.
    EXPECT_EQ(GetSwapChainFlags(3, 3, 3, FALSE), g_ModeSwitch | g_Waitable | g_Tearing);
}

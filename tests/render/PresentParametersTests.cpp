#include "render/PresentParameters.h"

#include <dxgi.h>

#include <gtest/gtest.h>

namespace
{
constexpr UINT g_TearingSwapChain = DXGI_SWAP_CHAIN_FLAG_ALLOW_TEARING;

void ExpectPresent(INT Interval, BOOL Fullscreen, UINT SwapChainFlags, UINT SyncInterval, UINT Flags)
{
    PresentParameters const Parameters = ChoosePresentParameters(Interval, Fullscreen, SwapChainFlags);
    EXPECT_EQ(Parameters.SyncInterval, SyncInterval) << Interval << " " << Fullscreen << " " << SwapChainFlags;
    EXPECT_EQ(Parameters.Flags, Flags) << Interval << " " << Fullscreen << " " << SwapChainFlags;
}
} // namespace

TEST(PresentParameters, WindowedTearingSwapChainTearsUnlessIntervalPositive)
{
    ExpectPresent(-1, FALSE, g_TearingSwapChain, 0, DXGI_PRESENT_ALLOW_TEARING);
    ExpectPresent(-7, FALSE, g_TearingSwapChain | DXGI_SWAP_CHAIN_FLAG_ALLOW_MODE_SWITCH, 0, DXGI_PRESENT_ALLOW_TEARING);
    ExpectPresent(0, FALSE, g_TearingSwapChain, 0, DXGI_PRESENT_ALLOW_TEARING);
    ExpectPresent(1, FALSE, g_TearingSwapChain, 1, 0);
    ExpectPresent(3, FALSE, g_TearingSwapChain, 3, 0);
}

TEST(PresentParameters, FullscreenNeverTears)
{
    ExpectPresent(-1, TRUE, g_TearingSwapChain, 0, 0);
    ExpectPresent(0, TRUE, g_TearingSwapChain, 0, 0);
    ExpectPresent(2, TRUE, g_TearingSwapChain, 2, 0);
}

TEST(PresentParameters, SwapChainWithoutTearing)
{
    ExpectPresent(-1, FALSE, 0, 0, 0);
    ExpectPresent(0, FALSE, DXGI_SWAP_CHAIN_FLAG_FRAME_LATENCY_WAITABLE_OBJECT, 0, 0);
    ExpectPresent(1, FALSE, 0, 1, 0);
    ExpectPresent(4, TRUE, 0, 4, 0);
}

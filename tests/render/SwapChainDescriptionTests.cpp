#include "render/SwapChainDescription.h"

#include <gtest/gtest.h>

TEST(SwapChainDescription, FlipDiscardOfTheClientSize)
{
    Application::Configuration Configuration;
    Configuration.m_Format = DXGI_FORMAT_R10G10B10A2_UNORM;
    Configuration.m_SwapChainBufferCount = 3;
    Configuration.m_AllowModeSwitchMode = 3;
    DXGI_SWAP_CHAIN_DESC1 const Desc = MakeSwapChainDesc1(Configuration, 642, 362, TRUE);
    // Size, format, count and effect are read end to end from the swap chain's line.
    EXPECT_EQ(Desc.BufferUsage, static_cast<DXGI_USAGE>(DXGI_USAGE_RENDER_TARGET_OUTPUT));
    EXPECT_EQ(Desc.Scaling, DXGI_SCALING_STRETCH);
    EXPECT_EQ(Desc.AlphaMode, DXGI_ALPHA_MODE_UNSPECIFIED);
    EXPECT_EQ(Desc.Flags, static_cast<UINT>(DXGI_SWAP_CHAIN_FLAG_ALLOW_MODE_SWITCH | DXGI_SWAP_CHAIN_FLAG_ALLOW_TEARING));
}

TEST(SwapChainDescription, ModeFromTheConfiguration)
{
    Application::Configuration Configuration;
    Configuration.m_FrameSizeW = 1280;
    Configuration.m_FrameSizeH = 720;
    Configuration.m_FrameRateN = 60000;
    Configuration.m_FrameRateD = 1001;
    DXGI_MODE_DESC const Mode = MakeModeDesc(Configuration, DXGI_FORMAT_R8G8B8A8_UNORM);
    EXPECT_EQ(Mode.Width, 1280u);
    EXPECT_EQ(Mode.Height, 720u);
    EXPECT_EQ(Mode.RefreshRate.Numerator, 60000u);
    EXPECT_EQ(Mode.RefreshRate.Denominator, 1001u);
    EXPECT_EQ(Mode.Format, DXGI_FORMAT_R8G8B8A8_UNORM);
    EXPECT_EQ(Mode.ScanlineOrdering, DXGI_MODE_SCANLINE_ORDER_PROGRESSIVE);
    EXPECT_EQ(Mode.Scaling, DXGI_MODE_SCALING_UNSPECIFIED);
}

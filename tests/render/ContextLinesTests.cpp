#include "render/ContextLines.h"

#include <gtest/gtest.h>

#include <cwchar>

TEST(ContextLines, Adapter)
{
    DXGI_ADAPTER_DESC1 Desc {};
    wcscpy(Desc.Description, L"Example Adapter");
    Desc.AdapterLuid.HighPart = -2;
    Desc.AdapterLuid.LowPart = 0x3F0;
    EXPECT_EQ(FormatAdapterLine(Desc), "DXGI Adapter: Example Adapter, -2.000003F0");
}

TEST(ContextLines, Output)
{
    DXGI_OUTPUT_DESC Desc {};
    wcscpy(Desc.DeviceName, L"\\\\.\\DISPLAY1");
    EXPECT_EQ(FormatOutputLine(Desc), "DXGI Output: \\\\.\\DISPLAY1");
}

TEST(ContextLines, SwapChain)
{
    DXGI_SWAP_CHAIN_DESC1 Desc {};
    Desc.Width = 1920;
    Desc.Height = 1080;
    Desc.Format = DXGI_FORMAT_B8G8R8A8_UNORM;
    Desc.BufferCount = 2;
    Desc.SwapEffect = DXGI_SWAP_EFFECT_FLIP_DISCARD;
    EXPECT_EQ(FormatSwapChainLine(Desc), "DXGI SwapChain: 1920 x 1080, DXGI_FORMAT_B8G8R8A8_UNORM, BufferCount 2, DXGI_SWAP_EFFECT_FLIP_DISCARD");
    Desc.Format = static_cast<DXGI_FORMAT>(116);
    Desc.SwapEffect = static_cast<DXGI_SWAP_EFFECT>(2);
    EXPECT_EQ(FormatSwapChainLine(Desc), "DXGI SwapChain: 1920 x 1080, 0x74, BufferCount 2, 0x2");
}

TEST(ContextLines, FullscreenMode)
{
    DXGI_MODE_DESC Desc {};
    Desc.Width = 1920;
    Desc.Height = 1080;
    Desc.RefreshRate = { 144, 1 };
    Desc.Format = DXGI_FORMAT_B8G8R8A8_UNORM;
    Desc.ScanlineOrdering = DXGI_MODE_SCANLINE_ORDER_PROGRESSIVE;
    Desc.Scaling = DXGI_MODE_SCALING_UNSPECIFIED;
    EXPECT_EQ(FormatFullscreenModeLine(Desc), "DXGI Fullscreen Mode: 1920 x 1080 @ 144/1 (144.000), DXGI_FORMAT_B8G8R8A8_UNORM, DXGI_MODE_SCANLINE_ORDER_PROGRESSIVE, DXGI_MODE_SCALING_UNSPECIFIED");
    Desc.RefreshRate = { 60000, 1001 };
    Desc.ScanlineOrdering = DXGI_MODE_SCANLINE_ORDER_LOWER_FIELD_FIRST;
    Desc.Scaling = static_cast<DXGI_MODE_SCALING>(5);
    EXPECT_EQ(FormatFullscreenModeLine(Desc), "DXGI Fullscreen Mode: 1920 x 1080 @ 60000/1001 (59.940), DXGI_FORMAT_B8G8R8A8_UNORM, DXGI_MODE_SCANLINE_ORDER_LOWER_FIELD_FIRST, 0x5");
}

TEST(ContextLines, PresentFailure)
{
    EXPECT_EQ(FormatPresentFailureLine(static_cast<HRESULT>(0x887A0005)), "DXGI SwapChain Present Failure: 0x887A0005 Unknown exception");
}

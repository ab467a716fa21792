#include "render/Context.h"
#include "render/Pipeline.h"
#include "tests/Caught.h"

#include <gtest/gtest.h>

// The embedded sources are bound into the test program's resources as into the program's; the
// pictures' runs compile each of them.
TEST(CompileShader, MissingResourceOrEntryPointFails)
{
    ComException const Missing = Caught([] { Application::Context::CompileShader(SHADER_RESOURCE_OUTLINES + 1, "VS", "vs_4_0"); });
    EXPECT_EQ(static_cast<unsigned int>(Missing.m_Result), 0x80070000u | ERROR_RESOURCE_NAME_NOT_FOUND);
    EXPECT_TRUE(FAILED(Caught([] { Application::Context::CompileShader(SHADER_RESOURCE_BLOSSOMS, "NoSuchEntry", "vs_4_0"); }).m_Result));
}

// The lines with known names are read end to end; here the values the program has no name for.
TEST(ContextLines, UnnamedValuesAndFractionalRates)
{
    DXGI_SWAP_CHAIN_DESC1 SwapChainDesc {};
    SwapChainDesc.Width = 1920;
    SwapChainDesc.Height = 1080;
    SwapChainDesc.Format = static_cast<DXGI_FORMAT>(116);
    SwapChainDesc.BufferCount = 2;
    SwapChainDesc.SwapEffect = static_cast<DXGI_SWAP_EFFECT>(2);
    EXPECT_EQ(FormatSwapChainLine(SwapChainDesc), "DXGI SwapChain: 1920 x 1080, 0x74, BufferCount 2, 0x2");
    DXGI_MODE_DESC ModeDesc {};
    ModeDesc.Width = 1920;
    ModeDesc.Height = 1080;
    ModeDesc.RefreshRate = { 60000, 1001 };
    ModeDesc.Format = DXGI_FORMAT_B8G8R8A8_UNORM;
    ModeDesc.ScanlineOrdering = DXGI_MODE_SCANLINE_ORDER_LOWER_FIELD_FIRST;
    ModeDesc.Scaling = static_cast<DXGI_MODE_SCALING>(5);
    EXPECT_EQ(FormatFullscreenModeLine(ModeDesc), "DXGI Fullscreen Mode: 1920 x 1080 @ 60000/1001 (59.940), DXGI_FORMAT_B8G8R8A8_UNORM, DXGI_MODE_SCANLINE_ORDER_LOWER_FIELD_FIRST, 0x5");
    EXPECT_EQ(FormatPresentFailureLine(static_cast<HRESULT>(0x887A0005)), "DXGI SwapChain Present Failure: 0x887A0005 Unknown exception");
}

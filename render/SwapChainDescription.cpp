#include "render/SwapChainDescription.h"

#include "render/SwapChainFlags.h"

DXGI_SWAP_CHAIN_DESC1 MakeSwapChainDesc1(const Application::Configuration& Configuration, UINT Width, UINT Height, BOOL AllowTearing) noexcept
{
    DXGI_SWAP_CHAIN_DESC1 SwapChainDesc1 {};
    SwapChainDesc1.Width = Width;
    SwapChainDesc1.Height = Height;
    SwapChainDesc1.Format = Configuration.m_Format;
    SwapChainDesc1.Stereo = FALSE;
    SwapChainDesc1.SampleDesc = { 1, 0 };
    SwapChainDesc1.BufferUsage = DXGI_USAGE_RENDER_TARGET_OUTPUT;
    SwapChainDesc1.BufferCount = Configuration.m_SwapChainBufferCount;
    SwapChainDesc1.Scaling = DXGI_SCALING_STRETCH;
    SwapChainDesc1.SwapEffect = DXGI_SWAP_EFFECT_FLIP_DISCARD;
    SwapChainDesc1.AlphaMode = DXGI_ALPHA_MODE_UNSPECIFIED;
    SwapChainDesc1.Flags = GetSwapChainFlags(Configuration.m_AllowModeSwitchMode, Configuration.m_WaitiableObjectMode, Configuration.m_AllowTearingMode, AllowTearing);
    return SwapChainDesc1;
}

DXGI_MODE_DESC MakeModeDesc(const Application::Configuration& Configuration, DXGI_FORMAT Format) noexcept
{
    DXGI_MODE_DESC ModeDesc {};
    ModeDesc.Width = Configuration.m_FrameSizeW;
    ModeDesc.Height = Configuration.m_FrameSizeH;
    ModeDesc.RefreshRate = { Configuration.m_FrameRateN, Configuration.m_FrameRateD };
    ModeDesc.Format = Format;
    ModeDesc.ScanlineOrdering = DXGI_MODE_SCANLINE_ORDER_PROGRESSIVE;
    ModeDesc.Scaling = DXGI_MODE_SCALING_UNSPECIFIED;
    return ModeDesc;
}

DXGI_SWAP_CHAIN_FULLSCREEN_DESC MakeSwapChainFullscreenDesc(const DXGI_MODE_DESC& MatchModeDesc) noexcept
{
    DXGI_SWAP_CHAIN_FULLSCREEN_DESC SwapChainFullscreenDesc {};
    SwapChainFullscreenDesc.RefreshRate = MatchModeDesc.RefreshRate;
    SwapChainFullscreenDesc.ScanlineOrdering = MatchModeDesc.ScanlineOrdering;
    SwapChainFullscreenDesc.Scaling = MatchModeDesc.Scaling;
    SwapChainFullscreenDesc.Windowed = TRUE;
    return SwapChainFullscreenDesc;
}

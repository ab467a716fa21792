#include "render/SwapChain.h"

UINT GetSwapChainFlags(INT AllowModeSwitchMode, INT WaitiableObjectMode, INT AllowTearingMode, BOOL AllowTearing) noexcept
{
    UINT Flags = 0;
    if(AllowModeSwitchMode == SwapChainModeEnable)
        Flags |= DXGI_SWAP_CHAIN_FLAG_ALLOW_MODE_SWITCH;
    if(WaitiableObjectMode == SwapChainModeEnable)
        Flags |= DXGI_SWAP_CHAIN_FLAG_FRAME_LATENCY_WAITABLE_OBJECT;
    switch(AllowTearingMode)
    {
    case SwapChainModeDisable:
        break;
    case SwapChainModeEnable:
        Flags |= DXGI_SWAP_CHAIN_FLAG_ALLOW_TEARING;
        break;
    default:
        if(AllowTearing)
            Flags |= DXGI_SWAP_CHAIN_FLAG_ALLOW_TEARING;
        break;
    }
    return Flags;
}

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

PresentParameters ChoosePresentParameters(INT PresentSyncInterval, BOOL FullscreenState, UINT SwapChainFlags) noexcept
{
    if(!FullscreenState && PresentSyncInterval <= 0 && (SwapChainFlags & DXGI_SWAP_CHAIN_FLAG_ALLOW_TEARING))
        return { 0, DXGI_PRESENT_ALLOW_TEARING };
    return { PresentSyncInterval >= 0 ? static_cast<UINT>(PresentSyncInterval) : 0u, 0 };
}

WindowedOnRelease::~WindowedOnRelease()
{
    BOOL Fullscreen = FALSE;
    if(m_SwapChain && SUCCEEDED(m_SwapChain->GetFullscreenState(&Fullscreen, nullptr)) && Fullscreen)
        m_SwapChain->SetFullscreenState(FALSE, nullptr);
}

#pragma once

#include "app/Application.h"

#include <dxgi1_2.h>
#include <wrl/client.h>

// The swap chain's settings and its present policy: the description that the configuration asks
// for, the sync interval and flags of each present, the passes of a frame with its one retry, and
// the way back to windowed mode before the swap chain goes.

// The three swap-chain modes of the configuration share one scale.
enum SwapChainMode : INT
{
    SwapChainModeDefault = 0,
    SwapChainModeAutomatic = 1,
    SwapChainModeDisable = 2,
    SwapChainModeEnable = 3,
};

// The DXGI_SWAP_CHAIN_FLAG bits that the modes ask for. Mode switch and the frame-latency waitable
// object are set only when enabled; tearing follows the factory's support unless disabled, and is
// set when enabled whether supported or not. Values outside the scale behave as Default.
UINT GetSwapChainFlags(INT AllowModeSwitchMode, INT WaitiableObjectMode, INT AllowTearingMode, BOOL AllowTearing) noexcept;

// The flip-discard swap chain for a client area of Width x Height with the configuration's format,
// buffer count and mode flags.
DXGI_SWAP_CHAIN_DESC1 MakeSwapChainDesc1(const Application::Configuration& Configuration, UINT Width, UINT Height, BOOL AllowTearing) noexcept;

// The display mode asked for in full screen: the configured frame size and rate, progressive.
DXGI_MODE_DESC MakeModeDesc(const Application::Configuration& Configuration, DXGI_FORMAT Format) noexcept;

// The swap chain's full-screen description from the matching mode; it starts windowed.
DXGI_SWAP_CHAIN_FULLSCREEN_DESC MakeSwapChainFullscreenDesc(const DXGI_MODE_DESC& MatchModeDesc) noexcept;

// The sync interval and flags of one present.
struct PresentParameters
{
    UINT SyncInterval;
    UINT Flags;
};

// A windowed swap chain made for tearing presents with interval 0 and DXGI_PRESENT_ALLOW_TEARING
// unless a positive interval is asked for; otherwise the configured interval, a negative one
// (automatic) meaning 0.
PresentParameters ChoosePresentParameters(INT PresentSyncInterval, BOOL FullscreenState, UINT SwapChainFlags) noexcept;

// The passes of one frame. Each pass calls Pass(Presents), which reads the full-screen state and,
// when Presents, draws, presents and returns the present's result. Pass 0 presents unless Resize asks
// for the buffers to be resized first. A failed present is answered by ResizeBuffers(Failure), which
// prints the failure line when Failure is a failure code (it is S_OK for the asked-for resize), and
// by one more pass. Returns the last present's result: a failure after two failed passes.
template<typename PassFunction, typename ResizeFunction>
HRESULT PresentPasses(BOOL Resize, PassFunction&& Pass, ResizeFunction&& ResizeBuffers)
{
    HRESULT PresentResult = S_OK;
    for(UINT Index = 0; Index < 2; ++Index)
    {
        bool const Presents = !Resize || Index > 0;
        HRESULT const Result = Pass(Presents);
        if(Presents)
        {
            PresentResult = Result;
            if(SUCCEEDED(PresentResult))
                break;
        }
        ResizeBuffers(Resize ? S_OK : PresentResult);
        Resize = FALSE;
    }
    return PresentResult;
}

// Switches a swap chain back to windowed mode before it is released, as DXGI asks. The swap chain
// can be in full screen from -Fullscreen, Alt+Enter or F, and a construction that fails after
// going full screen releases it as well: declared after the swap chain's pointers, this owner
// acts on every such path before they let go.
class WindowedOnRelease
{
public:
    explicit WindowedOnRelease(const Microsoft::WRL::ComPtr<IDXGISwapChain>& SwapChain) noexcept : m_SwapChain(SwapChain)
    {
    }
    WindowedOnRelease(const WindowedOnRelease&) = delete;
    WindowedOnRelease& operator=(const WindowedOnRelease&) = delete;
    ~WindowedOnRelease();

private:
    const Microsoft::WRL::ComPtr<IDXGISwapChain>& m_SwapChain;
};

#pragma once

#include <dxgi.h>
#include <wrl/client.h>

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

#include "render/Context.h"
#include "render/WindowedOnRelease.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace
{
// A swap chain that knows its full-screen state and whether it was released in it.
class FakeSwapChain : public IDXGISwapChain
{
public:
    BOOL m_Fullscreen = FALSE;
    int m_StateChanges = 0;
    ULONG m_References = 0;
    bool m_ReleasedInFullScreen = false;

    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_References; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        if(--m_References == 0)
            m_ReleasedInFullScreen = m_Fullscreen != FALSE;
        return m_References;
    }
    HRESULT STDMETHODCALLTYPE SetFullscreenState(BOOL Fullscreen, IDXGIOutput*) override
    {
        m_Fullscreen = Fullscreen;
        ++m_StateChanges;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetFullscreenState(BOOL* Fullscreen, IDXGIOutput**) override
    {
        *Fullscreen = m_Fullscreen;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    HRESULT STDMETHODCALLTYPE SetPrivateData(REFGUID, UINT, const void*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPrivateDataInterface(REFGUID, const IUnknown*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPrivateData(REFGUID, UINT*, void*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetParent(REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDevice(REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Present(UINT, UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBuffer(UINT, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDesc(DXGI_SWAP_CHAIN_DESC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ResizeBuffers(UINT, UINT, UINT, DXGI_FORMAT, UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ResizeTarget(const DXGI_MODE_DESC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContainingOutput(IDXGIOutput**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFrameStatistics(DXGI_FRAME_STATISTICS*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetLastPresentCount(UINT*) override { return E_NOTIMPL; }
};

// Holds a swap chain as the context does, the owner after the pointer, and goes full screen when
// asked before it fails.
struct Owner
{
    Owner(FakeSwapChain& SwapChain, BOOL Fullscreen)
    {
        m_SwapChain = &SwapChain;
        if(Fullscreen)
            m_SwapChain->SetFullscreenState(TRUE, nullptr);
        throw E_FAIL;
    }

    Microsoft::WRL::ComPtr<IDXGISwapChain> m_SwapChain;
    WindowedOnRelease m_WindowedOnRelease { m_SwapChain };
};
} // namespace

TEST(WindowedOnRelease, AFailedConstructionLeavesFullScreenBeforeTheRelease)
{
    for(BOOL Fullscreen : { TRUE, FALSE })
    {
        FakeSwapChain SwapChain;
        EXPECT_THROW(Owner(SwapChain, Fullscreen), HRESULT);
        EXPECT_EQ(SwapChain.m_References, 0u);
        EXPECT_FALSE(SwapChain.m_ReleasedInFullScreen);
        EXPECT_EQ(SwapChain.m_StateChanges, Fullscreen ? 2 : 0);
    }
    // The context's owner comes after the swap chain's pointers, so it acts before they are released.
    EXPECT_GT(offsetof(Application::Context, m_WindowedOnRelease), offsetof(Application::Context, m_SwapChain2));
}

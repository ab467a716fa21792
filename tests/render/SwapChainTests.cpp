#include "render/Context.h"
#include "render/SwapChain.h"

#include <dxgi.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

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

namespace
{
constexpr HRESULT g_Failure = DXGI_ERROR_DEVICE_REMOVED;

// A swap chain whose presents give the listed results, one after another; it writes down what each
// pass did: "state", "present", "resize" (asked for) or "failure+resize" (after a failed present).
struct PresentingSwapChain
{
    explicit PresentingSwapChain(std::vector<HRESULT> Results) : m_Results(std::move(Results))
    {
    }

    HRESULT Render(BOOL Resize)
    {
        return PresentPasses(
            Resize,
            [this](bool Presents) {
                m_Steps.push_back("state");
                if(!Presents)
                    return S_OK;
                m_Steps.push_back("present");
                return m_Results.at(m_Presents++);
            },
            [this](HRESULT Failure) { m_Steps.push_back(FAILED(Failure) ? "failure+resize" : "resize"); });
    }

    std::vector<HRESULT> m_Results;
    size_t m_Presents = 0;
    std::vector<std::string> m_Steps;
};

using Steps = std::vector<std::string>;
} // namespace

TEST(PresentPasses, AFailedPresentIsReportedResizedAndRetriedOnceAfterAnyAskedForResize)
{
    struct Case
    {
        BOOL m_Resize;
        std::vector<HRESULT> m_Results;
        HRESULT m_Result;
        Steps m_Steps;
    };
    // Success codes such as DXGI_STATUS_OCCLUDED end the frame like S_OK; an asked-for resize comes
    // first and draws no failure line.
    Case const Cases[] {
        { FALSE, { S_OK }, S_OK, { "state", "present" } },
        { FALSE, { DXGI_STATUS_OCCLUDED }, DXGI_STATUS_OCCLUDED, { "state", "present" } },
        { FALSE, { g_Failure, S_OK }, S_OK, { "state", "present", "failure+resize", "state", "present" } },
        { FALSE, { g_Failure, E_FAIL }, E_FAIL, { "state", "present", "failure+resize", "state", "present", "failure+resize" } },
        { TRUE, { S_OK }, S_OK, { "state", "resize", "state", "present" } },
        { TRUE, { g_Failure }, g_Failure, { "state", "resize", "state", "present", "failure+resize" } },
    };
    for(const Case& Case : Cases)
    {
        PresentingSwapChain SwapChain(Case.m_Results);
        EXPECT_EQ(SwapChain.Render(Case.m_Resize), Case.m_Result);
        EXPECT_EQ(SwapChain.m_Steps, Case.m_Steps);
    }
}

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

#include "render/PresentPasses.h"

#include <dxgi.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace
{
constexpr HRESULT g_Failure = DXGI_ERROR_DEVICE_REMOVED;

// A swap chain whose presents give the listed results, one after another; it writes down what each
// pass did: "state", "present", "resize" (asked for) or "failure+resize" (after a failed present).
struct FakeSwapChain
{
    explicit FakeSwapChain(std::vector<HRESULT> Results) : m_Results(std::move(Results))
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
        FakeSwapChain SwapChain(Case.m_Results);
        EXPECT_EQ(SwapChain.Render(Case.m_Resize), Case.m_Result);
        EXPECT_EQ(SwapChain.m_Steps, Case.m_Steps);
    }
}

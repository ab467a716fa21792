#include "render/PresentPasses.h"

#include <dxgi.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace
{
constexpr HRESULT g_Failure = DXGI_ERROR_DEVICE_REMOVED;

// A swap chain whose presents give the listed results, one after another; it writes down what each
// pass did: "state", "present", "resize" (asked for) or "failure+resize" (after a failed present).
struct FakeSwapChain
{
    FakeSwapChain(std::initializer_list<HRESULT> Results) : m_Results(Results)
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

TEST(PresentPasses, AFailedPresentIsReportedResizedAndRetriedOnce)
{
    FakeSwapChain Succeeds { S_OK };
    EXPECT_EQ(Succeeds.Render(FALSE), S_OK);
    EXPECT_EQ(Succeeds.m_Steps, (Steps { "state", "present" }));

    // Success codes such as DXGI_STATUS_OCCLUDED end the frame like S_OK.
    FakeSwapChain Occluded { DXGI_STATUS_OCCLUDED };
    EXPECT_EQ(Occluded.Render(FALSE), DXGI_STATUS_OCCLUDED);
    EXPECT_EQ(Occluded.m_Steps, (Steps { "state", "present" }));

    FakeSwapChain Retried { g_Failure, S_OK };
    EXPECT_EQ(Retried.Render(FALSE), S_OK);
    EXPECT_EQ(Retried.m_Steps, (Steps { "state", "present", "failure+resize", "state", "present" }));

    FakeSwapChain FailsTwice { g_Failure, E_FAIL };
    EXPECT_EQ(FailsTwice.Render(FALSE), E_FAIL);
    EXPECT_EQ(FailsTwice.m_Steps, (Steps { "state", "present", "failure+resize", "state", "present", "failure+resize" }));
}

TEST(PresentPasses, AnAskedForResizeComesFirstWithoutAFailureLine)
{
    FakeSwapChain Succeeds { S_OK };
    EXPECT_EQ(Succeeds.Render(TRUE), S_OK);
    EXPECT_EQ(Succeeds.m_Steps, (Steps { "state", "resize", "state", "present" }));

    FakeSwapChain Fails { g_Failure };
    EXPECT_EQ(Fails.Render(TRUE), g_Failure);
    EXPECT_EQ(Fails.m_Steps, (Steps { "state", "resize", "state", "present", "failure+resize" }));
}

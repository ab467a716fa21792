#include "diag/ParentProcessDebug.h"

#include <gtest/gtest.h>

namespace
{
using LaunchOptions = ParentProcessDebug::LaunchOptions;
using Target = ParentProcessDebug::Target;

LaunchOptions FindLaunchOptions(const Arguments& Arguments, bool Expected = true)
{
    LaunchOptions Options { 7, 7 };
    EXPECT_EQ(ParentProcessDebug::FindLaunchOptions(Arguments, Options), Expected);
    return Options;
}
} // namespace

TEST(DebugOptions, DumpTypeOfTheDebugValue)
{
    for(const wchar_t* Value : { L"", L"Normal", L"nORMAL", L"Fullest", L"x20" })
        EXPECT_EQ(ParentProcessDebug::DumpTypeFromValue(Value), 0u) << Value;
    EXPECT_EQ(ParentProcessDebug::DumpTypeFromValue(L"FULL"), 0x1826u);
    EXPECT_EQ(ParentProcessDebug::DumpTypeFromValue(L"full"), 0x1826u);
    EXPECT_EQ(ParentProcessDebug::DumpTypeFromValue(L"0x20"), 0x20u);
    EXPECT_EQ(ParentProcessDebug::DumpTypeFromValue(L"32"), 32u);
}

TEST(DebugOptions, FirstDebugOptionAndTheDisableOptionBeforeIt)
{
    FindLaunchOptions({ L"app.exe", L"-ShaderIndex", L"2" }, false);
    FindLaunchOptions({ L"app.exe", L"Debug", L"/Debug" }, false);

    LaunchOptions Options = FindLaunchOptions({ L"app.exe", L"-debug" });
    EXPECT_EQ(Options.m_DumpType, 0u);
    EXPECT_EQ(Options.m_DisableDebugOutput, 0u);

    Options = FindLaunchOptions({ L"app.exe", L"-disabledebugoutput", L"-Debug:Full" });
    EXPECT_EQ(Options.m_DumpType, 0x1826u);
    EXPECT_EQ(Options.m_DisableDebugOutput, 1u);

    // Nothing after the first -Debug counts, not even a second -Debug.
    Options = FindLaunchOptions({ L"app.exe", L"-Debug:0x20", L"-DisableDebugOutput", L"-Debug:Full" });
    EXPECT_EQ(Options.m_DumpType, 0x20u);
    EXPECT_EQ(Options.m_DisableDebugOutput, 0u);
}

TEST(DebugOptions, TargetOfTheDebuggerCopy)
{
    Target Result;
    EXPECT_FALSE(ParentProcessDebug::FindTarget({ L"app.exe", L"-Debug" }, Result));
    EXPECT_FALSE(ParentProcessDebug::FindTarget({ L"app.exe", L"-ParentProcessDebug" }, Result));
    EXPECT_FALSE(ParentProcessDebug::FindTarget({ L"app.exe", L"-ParentProcessDebug", L"0", L"0", L"188" }, Result));
    EXPECT_FALSE(ParentProcessDebug::FindTarget({ L"app.exe", L"-ParentProcessDebug", L"pid" }, Result));
    // The copy's options are compared case-sensitively.
    EXPECT_FALSE(ParentProcessDebug::FindTarget({ L"app.exe", L"-parentprocessdebug", L"4242" }, Result));

    ASSERT_TRUE(ParentProcessDebug::FindTarget({ L"app.exe", L"-ParentProcessDebug", L"4242" }, Result));
    EXPECT_EQ(Result.m_ProcessId, 4242u);
    EXPECT_EQ(Result.m_DumpType, 0u);
    EXPECT_EQ(Result.m_ReadyEvent, nullptr);
    EXPECT_EQ(Result.m_DisableDebugOutput, 0);

    ASSERT_TRUE(ParentProcessDebug::FindTarget(
        { L"app.exe", L"-disabledebugoutput", L"-DisableDebugOutput", L"-ParentProcessDebug", L"17", L"6182", L"-1" }, Result));
    EXPECT_EQ(Result.m_ProcessId, 17u);
    EXPECT_EQ(Result.m_DumpType, 0x1826u);
    EXPECT_EQ(Result.m_ReadyEvent, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Result.m_DisableDebugOutput, 1);

    // The lowercase spelling is not the copy's option.
    ASSERT_TRUE(ParentProcessDebug::FindTarget({ L"app.exe", L"-disabledebugoutput", L"-ParentProcessDebug", L"17" }, Result));
    EXPECT_EQ(Result.m_DisableDebugOutput, 0);
}

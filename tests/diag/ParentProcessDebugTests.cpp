#include "common/Text.h"
#include "diag/ParentProcessDebug.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace
{
// "<dump type> <disable>" of the first process's options, or "none" without -Debug.
std::string Launch(const Arguments& Arguments)
{
    ParentProcessDebug::LaunchOptions Options { 7, 7 };
    if(!ParentProcessDebug::FindLaunchOptions(Arguments, Options))
        return "none";
    return FormatText("%#x %d", static_cast<unsigned int>(Options.m_DumpType), static_cast<int>(Options.m_DisableDebugOutput));
}

// "<process> <dump type> <ready event> <disable>" of the debugger copy's target, or "none".
std::string Target(const Arguments& Arguments)
{
    ParentProcessDebug::Target Found;
    if(!ParentProcessDebug::FindTarget(Arguments, Found))
        return "none";
    return FormatText("%u %#x %lld %d", static_cast<unsigned int>(Found.m_ProcessId), static_cast<unsigned int>(Found.m_DumpType),
        static_cast<long long>(reinterpret_cast<intptr_t>(Found.m_ReadyEvent)), static_cast<int>(Found.m_DisableDebugOutput));
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
    EXPECT_EQ(Launch({ L"app.exe", L"-ShaderIndex", L"2" }), "none");
    EXPECT_EQ(Launch({ L"app.exe", L"Debug", L"/Debug" }), "none");
    EXPECT_EQ(Launch({ L"app.exe", L"-debug" }), "0 0");
    EXPECT_EQ(Launch({ L"app.exe", L"-disabledebugoutput", L"-Debug:Full" }), "0x1826 1");
    // Nothing after the first -Debug counts, not even a second -Debug.
    EXPECT_EQ(Launch({ L"app.exe", L"-Debug:0x20", L"-DisableDebugOutput", L"-Debug:Full" }), "0x20 0");
}

TEST(DebugOptions, TargetOfTheDebuggerCopy)
{
    EXPECT_EQ(Target({ L"app.exe", L"-Debug" }), "none");
    EXPECT_EQ(Target({ L"app.exe", L"-ParentProcessDebug" }), "none");
    EXPECT_EQ(Target({ L"app.exe", L"-ParentProcessDebug", L"0", L"0", L"188" }), "none");
    EXPECT_EQ(Target({ L"app.exe", L"-ParentProcessDebug", L"pid" }), "none");
    // The copy's own options are compared case-sensitively.
    EXPECT_EQ(Target({ L"app.exe", L"-parentprocessdebug", L"4242" }), "none");
    EXPECT_EQ(Target({ L"app.exe", L"-ParentProcessDebug", L"4242" }), "4242 0 0 0");
    EXPECT_EQ(Target({ L"app.exe", L"-disabledebugoutput", L"-DisableDebugOutput", L"-ParentProcessDebug", L"17", L"6182", L"-1" }),
        "17 0x1826 -1 1");
    EXPECT_EQ(Target({ L"app.exe", L"-disabledebugoutput", L"-ParentProcessDebug", L"17" }), "17 0 0 0");
}

TEST(DebugText, TrimCutsLineEndsBlanksAndFullStops)
{
    std::wstring Text = L"Frame 12 presented.\r\n";
    EXPECT_TRUE(TrimDebugText(Text));
    EXPECT_EQ(Text, L"Frame 12 presented");

    Text = L"\t. a.b \t.. \r";
    EXPECT_TRUE(TrimDebugText(Text));
    EXPECT_EQ(Text, L"\t. a.b");

    for(std::wstring Empty : { L"", L" . \r\n\t", L"..." })
        EXPECT_FALSE(TrimDebugText(Empty)) << Empty;
}

TEST(DebugText, TerminalSafeTextKeepsTabsAndLineEndsOnly)
{
    EXPECT_EQ(TerminalSafeText(L"a\tb\nc\r\nd"), L"a\tb\nc\r\nd");
    EXPECT_EQ(TerminalSafeText(L"\x1B[31mred\x07 over\rwritten\r"), L"?[31mred? over?written?");
    EXPECT_EQ(TerminalSafeText(std::wstring(L"\0\x1F\x7F\x9B\xA0\u00E9", 6)), L"????\xA0\u00E9");
}

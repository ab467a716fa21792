#include "FakeDebuggee.h"

#include <gtest/gtest.h>

namespace
{
constexpr uint64_t g_Page = 0x7FF000000;
} // namespace

TEST(DebuggeeReader, TextUpToItsTerminatorOrTheLimitAcrossPages)
{
    FakeDebuggee Debuggee;
    std::wstring const Long(5000, L'w');
    Debuggee.Write(g_Page, Long.c_str(), (Long.size() + 1) * sizeof(wchar_t));
    std::wstring Wide;
    ASSERT_TRUE(Debuggee.ReadText(g_Page, 8192, Wide));
    EXPECT_EQ(Wide, Long);
    ASSERT_TRUE(Debuggee.ReadText(g_Page + 2, 4001, Wide));
    EXPECT_EQ(Wide, std::wstring(4000, L'w'));

    // A wide text at an odd address has a character across the page's end.
    uint64_t const Odd = g_Page + 3 * FakeDebuggee::g_PageSize - 5;
    Debuggee.Write(Odd, L"ab\0", 6);
    ASSERT_TRUE(Debuggee.ReadText(Odd, 100, Wide));
    EXPECT_EQ(Wide, L"ab");

    // Text that runs into unreadable memory ends there; none at all is a failure.
    std::string Narrow;
    Debuggee.Write(g_Page + 5 * FakeDebuggee::g_PageSize - 3, "xyz", 3);
    ASSERT_TRUE(Debuggee.ReadText(g_Page + 5 * FakeDebuggee::g_PageSize - 3, 8192, Narrow));
    EXPECT_EQ(Narrow, "xyz");
    EXPECT_FALSE(Debuggee.ReadText(0x10, 8192, Narrow));
    EXPECT_FALSE(Debuggee.ReadText(0x10, 8192, Wide));
}

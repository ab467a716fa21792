#include "diag/CodePage.h"
#include "diag/FormatText.h"

#include <gtest/gtest.h>

namespace
{
std::string InCodePage(unsigned int CodePage, const char* Format, ...)
{
    va_list Arguments;
    va_start(Arguments, Format);
    std::string Text = FormatTextInCodePage(CodePage, Format, Arguments);
    va_end(Arguments);
    return Text;
}

// "é" is in both single-byte code pages below; "ā" (which a best fit would turn into "a") and "日" are in neither.
constexpr wchar_t g_Text[] = L"a\u00E9\u0101\u65E5b";
} // namespace

TEST(FormatText, NarrowAndWideStringConversionsInBothWidths)
{
    EXPECT_EQ(FormatText("%hs|%ls", "narrow", L"wide"), "narrow|wide");
    EXPECT_EQ(FormatText(L"%hs|%ls", "narrow", L"wide"), L"narrow|wide");
    EXPECT_EQ(FormatText("0x%08X %d.%08X %04X", 0x80070057u, -1, 0x3F0u, 0x10DEu), "0x80070057 -1.000003F0 10DE");
    EXPECT_EQ(FormatText(L"%02u.%03u %.1f %.3f", 7u, 5u, 59.94, 144.0), L"07.005 59.9 144.000");
    EXPECT_EQ(FormatText("%ls|", g_Text), InCodePage(ConsoleCodePage(), "%ls|", g_Text));
}

TEST(FormatText, WideTextInTheCodePageWithoutLoss)
{
    EXPECT_EQ(InCodePage(1252, "%ls|%d %hs", g_Text, 7, "after"), "a\xE9??b|7 after");
    EXPECT_EQ(InCodePage(437, "[%ls]", g_Text), "[a\x82??b]");
    EXPECT_EQ(InCodePage(65001, "%ls", g_Text), "a\xC3\xA9\xC4\x81\xE6\x97\xA5" "b");
    EXPECT_EQ(InCodePage(1252, "%-4ls|%3.1ls|%lc%C|%S|%ls", L"ab", L"xyz", L'\u00E9', L'\u65E5', L"w", nullptr), "ab  |  x|\xE9?|w|(null)");
}

TEST(FormatText, OtherConversionsAsStandard)
{
    EXPECT_EQ(InCodePage(1252, "%5.2f|%*d|%-*d|%.*s|%lld|%I64X|%zu|%hhx|%%|%c|%+.0e", 3.14159, 4, 7, 3, 8, 2, "abc", -5000000000LL,
                  0xABCDEF0123ull, size_t { 42 }, 0x1FF, 'q', 1500.0),
        " 3.14|   7|8  |ab|-5000000000|ABCDEF0123|42|ff|%|q|+2e+03");
    // The text ends at a conversion that is not known.
    EXPECT_EQ(InCodePage(1252, "a%yb%d", 1), "a");
}

TEST(FormatText, CutsTextsAtTheBufferSize)
{
    std::string const Long(10000, 'a');
    EXPECT_EQ(FormatText("%hs", Long.c_str()).size(), g_NarrowFormatTextSize - 1);
    std::wstring const LongWide(5000, L'b');
    EXPECT_EQ(FormatText(L"%ls", LongWide.c_str()).size(), g_WideFormatTextSize - 1);
    EXPECT_EQ(InCodePage(1252, "%ls%ls", LongWide.c_str(), LongWide.c_str()).size(), g_NarrowFormatTextSize - 1);
    EXPECT_EQ(FormatText("%hs", ""), "");
}

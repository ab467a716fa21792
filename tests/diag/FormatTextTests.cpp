#include "diag/FormatText.h"

#include <gtest/gtest.h>

TEST(FormatText, NarrowAndWideStringConversionsInBothWidths)
{
    EXPECT_EQ(FormatText("%hs|%ls", "narrow", L"wide"), "narrow|wide");
    EXPECT_EQ(FormatText(L"%hs|%ls", "narrow", L"wide"), L"narrow|wide");
    EXPECT_EQ(FormatText("0x%08X %d.%08X %04X", 0x80070057u, -1, 0x3F0u, 0x10DEu), "0x80070057 -1.000003F0 10DE");
    EXPECT_EQ(FormatText(L"%02u.%03u %.1f %.3f", 7u, 5u, 59.94, 144.0), L"07.005 59.9 144.000");
}

TEST(FormatText, CutsTextsAtTheBufferSize)
{
    std::string const Long(10000, 'a');
    EXPECT_EQ(FormatText("%hs", Long.c_str()).size(), g_NarrowFormatTextSize - 1);
    std::wstring const LongWide(5000, L'b');
    EXPECT_EQ(FormatText(L"%ls", LongWide.c_str()).size(), g_WideFormatTextSize - 1);
    EXPECT_EQ(FormatText("%hs", ""), "");
}

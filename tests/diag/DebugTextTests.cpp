#include "diag/DebugText.h"

#include <gtest/gtest.h>

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

TEST(DebugText, Utf8DecodesWithReplacementCharacters)
{
    EXPECT_EQ(DecodeUtf8("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC"), L"Gr\u00FC\u00DFe \u20AC");
    // A stray continuation byte and a cut-off sequence do not lose the text around them.
    std::wstring const Decoded = DecodeUtf8("a\x80" "b\xE2\x82");
    ASSERT_GE(Decoded.size(), 3u);
    EXPECT_EQ(Decoded.front(), L'a');
    EXPECT_EQ(Decoded[1], L'\uFFFD');
    EXPECT_EQ(Decoded[2], L'b');
    EXPECT_EQ(Decoded.back(), L'\uFFFD');
}

TEST(DebugText, TerminalSafeTextKeepsTabsAndLineEndsOnly)
{
    EXPECT_EQ(TerminalSafeText(L"a\tb\nc\r\nd"), L"a\tb\nc\r\nd");
    EXPECT_EQ(TerminalSafeText(L"\x1B[31mred\x07 over\rwritten\r"), L"?[31mred? over?written?");
    EXPECT_EQ(TerminalSafeText(std::wstring(L"\0\x1F\x7F\x9B\xA0\u00E9", 6)), L"????\xA0\u00E9");
}

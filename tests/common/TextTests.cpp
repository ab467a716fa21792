#include "common/Text.h"

#include <gtest/gtest.h>

TEST(FormatText, CutsTextsAtTheBufferSize)
{
    std::string const Long(10000, 'a');
    EXPECT_EQ(FormatText("%hs", Long.c_str()).size(), g_NarrowFormatTextSize - 1);
    std::wstring const LongWide(5000, L'b');
    EXPECT_EQ(FormatText(L"%ls", LongWide.c_str()).size(), g_WideFormatTextSize - 1);
    EXPECT_EQ(FormatText("%hs", ""), "");
}

TEST(Text, Utf8DecodesWithReplacementCharacters)
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

#include "common/Text.h"
#include "diag/ConsoleOutput.h"

#include <gtest/gtest.h>

namespace
{
// "é" is in the single-byte code pages below; "ā" (which a best fit would turn into "a") and "日"
// are in neither.
constexpr wchar_t g_Text[] = L"a\u00E9\u0101\u65E5bc";
// A character beyond the basic plane, in two code units.
constexpr wchar_t g_Clef[] = L"\U0001D11E";

// What WriteLine puts into a pipe.
std::string WrittenToPipe(const std::wstring& Line)
{
    HANDLE Read, Write;
    EXPECT_TRUE(CreatePipe(&Read, &Write, nullptr, 0));
    WriteLine(Write, Line);
    CloseHandle(Write);
    char Buffer[256];
    DWORD Size = 0;
    ReadFile(Read, Buffer, sizeof Buffer, &Size, nullptr);
    CloseHandle(Read);
    return std::string(Buffer, Size);
}
} // namespace

TEST(CodePage, EveryCodePageKeepsTheAsciiOfAMixedText)
{
    EXPECT_EQ(NarrowText(1252, g_Text), "a\xE9??bc");
    EXPECT_EQ(NarrowText(437, g_Text), "a\x82??bc");
    EXPECT_EQ(NarrowText(65001, g_Text + std::wstring(g_Clef)), "a\xC3\xA9\xC4\x81\xE6\x97\xA5" "bc\xF0\x9D\x84\x9E");
    // GB18030 holds every character but takes neither flags nor a default character.
    EXPECT_EQ(NarrowText(54936, L"[abc]"), "[abc]");
    std::string const Chinese = NarrowText(54936, g_Text);
    ASSERT_FALSE(Chinese.empty());
    EXPECT_EQ(Chinese[0], 'a');
    EXPECT_EQ(Chinese.rfind("bc"), Chinese.size() - 2);
    // Symbol takes no default character; whatever it makes of the rest, the ASCII letters stay.
    std::string const Symbol = NarrowText(42, L"[abc]");
    EXPECT_NE(Symbol.find("abc"), std::string::npos) << Symbol;
    // A code page that does not exist converts nothing: ASCII stays, each other character is one "?".
    EXPECT_EQ(NarrowText(12345, g_Text + std::wstring(g_Clef)), "a???bc?");
    EXPECT_EQ(NarrowText(1252, L""), "");
}

TEST(CodePage, WidthAndPrecisionCountCharacters)
{
    // Formatted wide and converted once, so no multi-byte sequence is ever cut.
    EXPECT_EQ(NarrowText(65001, FormatText(L"[%.1ls|%3ls|%-3ls]", L"\u00E9x", L"\u00E9", L"\u65E5")),
        "[\xC3\xA9|  \xC3\xA9|\xE6\x97\xA5  ]");
}

TEST(ConsoleOutput, APipeGetsTheLineInTheCodePageWithItsLineEnd)
{
    EXPECT_EQ(WrittenToPipe(L"Stopping: CTRL_C_EVENT"), "Stopping: CTRL_C_EVENT\r\n");
    EXPECT_EQ(WrittenToPipe(L"ab\u65E5cd"), NarrowText(ConsoleCodePage(), L"ab\u65E5cd\r\n"));
    EXPECT_EQ(WrittenToPipe(L""), "\r\n");
}

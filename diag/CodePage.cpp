#include "diag/CodePage.h"

#include <windows.h>

namespace
{
constexpr char g_DefaultCharacter[] = "?";

// UTF-7 and UTF-8 hold every character; they, the ISO 2022 and ISCII code pages and Symbol take no
// conversion flags, and the two UTF ones no default character either.
bool TakesFlags(UINT CodePage) noexcept
{
    return CodePage != CP_UTF7 && CodePage != CP_UTF8 && CodePage != 42 && !(CodePage >= 50220 && CodePage <= 50229)
        && !(CodePage >= 57002 && CodePage <= 57011);
}
} // namespace

unsigned int ConsoleCodePage() noexcept
{
    UINT const CodePage = GetConsoleOutputCP();
    return CodePage ? CodePage : GetACP();
}

std::string NarrowText(unsigned int CodePage, const wchar_t* Text, size_t Length)
{
    if(!Length)
        return {};
    DWORD const Flags = TakesFlags(CodePage) ? WC_NO_BEST_FIT_CHARS : 0;
    const char* const DefaultCharacter = CodePage == CP_UTF7 || CodePage == CP_UTF8 ? nullptr : g_DefaultCharacter;
    int const WideLength = static_cast<int>(Length);
    int const Size = WideCharToMultiByte(CodePage, Flags, Text, WideLength, nullptr, 0, DefaultCharacter, nullptr);
    std::string Result(static_cast<size_t>(Size), '\0');
    WideCharToMultiByte(CodePage, Flags, Text, WideLength, Result.data(), Size, DefaultCharacter, nullptr);
    return Result;
}

#include "diag/ConsoleOutput.h"

#include "common/Text.h"

namespace
{
constexpr wchar_t g_LineEnd[] = L"\r\n";
constexpr char g_DefaultCharacter[] = "?";

// False when the code page refuses the flags or the default character (UTF-8 and GB18030 take
// neither, Symbol no default character) or cannot convert the text.
bool Convert(unsigned int CodePage, DWORD Flags, const char* DefaultCharacter, const std::wstring& Text, std::string& Result)
{
    int const WideLength = static_cast<int>(Text.size());
    int const Size = WideCharToMultiByte(CodePage, Flags, Text.data(), WideLength, nullptr, 0, DefaultCharacter, nullptr);
    if(Size <= 0)
        return false;
    Result.assign(static_cast<size_t>(Size), '\0');
    return WideCharToMultiByte(CodePage, Flags, Text.data(), WideLength, Result.data(), Size, DefaultCharacter, nullptr) == Size;
}

std::string AsciiText(const std::wstring& Text)
{
    std::string Result;
    for(size_t Index = 0; Index < Text.size(); ++Index)
    {
        wchar_t const Character = Text[Index];
        Result += Character < 0x80 ? static_cast<char>(Character) : '?';
        // A character beyond the basic plane is one "?" for its two code units.
        if(IS_HIGH_SURROGATE(Character) && Index + 1 < Text.size() && IS_LOW_SURROGATE(Text[Index + 1]))
            ++Index;
    }
    return Result;
}

bool IsConsole(HANDLE Output) noexcept
{
    DWORD Mode;
    return GetConsoleMode(Output, &Mode) != FALSE;
}
} // namespace

// Each line is one write, so that lines of threads and of the two processes of a debugging run
// never mix. A line that cannot be written is lost: there is nowhere else to say so.
void WriteLine(HANDLE Output, const std::wstring& Line)
{
    std::wstring const Text = Line + g_LineEnd;
    DWORD Written;
    if(IsConsole(Output))
    {
        WriteConsoleW(Output, Text.data(), static_cast<DWORD>(Text.size()), &Written, nullptr);
        return;
    }
    std::string const Bytes = NarrowText(ConsoleCodePage(), Text);
    WriteFile(Output, Bytes.data(), static_cast<DWORD>(Bytes.size()), &Written, nullptr);
}

void PrintLine(const std::wstring& Line)
{
    WriteLine(GetStdHandle(STD_OUTPUT_HANDLE), Line);
}

void PrintLine(const std::string& Line)
{
    PrintLine(DecodeUtf8(Line));
}

unsigned int ConsoleCodePage() noexcept
{
    UINT const CodePage = GetConsoleOutputCP();
    return CodePage ? CodePage : GetACP();
}

std::string NarrowText(unsigned int CodePage, const std::wstring& Text)
{
    std::string Result;
    if(Text.empty() || Convert(CodePage, WC_NO_BEST_FIT_CHARS, g_DefaultCharacter, Text, Result) || Convert(CodePage, 0, nullptr, Text, Result))
        return Result;
    return AsciiText(Text);
}

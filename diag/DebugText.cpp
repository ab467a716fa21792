#include "diag/DebugText.h"

#include <windows.h>

std::wstring DecodeUtf8(const std::string& Text)
{
    if(Text.empty())
        return {};
    int const Size = static_cast<int>(Text.size());
    int const Length = MultiByteToWideChar(CP_UTF8, 0, Text.data(), Size, nullptr, 0);
    std::wstring Result(static_cast<size_t>(Length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, Text.data(), Size, Result.data(), Length);
    return Result;
}

bool TrimDebugText(std::wstring& Text)
{
    size_t const Last = Text.find_last_not_of(L"\t\n\r .");
    if(Last == std::wstring::npos)
        return false;
    Text.erase(Last + 1);
    return true;
}

std::wstring TerminalSafeText(std::wstring Text)
{
    for(size_t Index = 0; Index < Text.size(); ++Index)
    {
        wchar_t const Character = Text[Index];
        bool const LineEnd = Character == L'\n' || (Character == L'\r' && Index + 1 < Text.size() && Text[Index + 1] == L'\n');
        bool const Control = Character < 0x20 || (Character >= 0x7F && Character < 0xA0);
        if(Control && Character != L'\t' && !LineEnd)
            Text[Index] = L'?';
    }
    return Text;
}

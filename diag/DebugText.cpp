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

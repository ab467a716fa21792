#include "common/Text.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

// The runtime library's _vsnprintf and _vsnwprintf read "%hs" as narrow and "%ls" as wide text in
// either width, with every toolchain that targets it (the ISO forms of mingw do not).

std::string FormatText(const char* Format, ...)
{
    char Buffer[g_NarrowFormatTextSize];
    Buffer[0] = 0;
    va_list Arguments;
    va_start(Arguments, Format);
    _vsnprintf(Buffer, g_NarrowFormatTextSize - 1, Format, Arguments);
    va_end(Arguments);
    Buffer[g_NarrowFormatTextSize - 1] = 0;
    return Buffer;
}

std::wstring FormatText(const wchar_t* Format, ...)
{
    wchar_t Buffer[g_WideFormatTextSize];
    Buffer[0] = 0;
    va_list Arguments;
    va_start(Arguments, Format);
    _vsnwprintf(Buffer, g_WideFormatTextSize - 1, Format, Arguments);
    va_end(Arguments);
    Buffer[g_WideFormatTextSize - 1] = 0;
    return Buffer;
}

namespace
{
template <typename String, typename Character>
String JoinElements(const std::vector<String>& Elements, const Character* Separator)
{
    String Result;
    for(size_t Index = 0; Index < Elements.size(); ++Index)
    {
        if(Index)
            Result += Separator;
        Result += Elements[Index];
    }
    return Result;
}
} // namespace

std::wstring Join(const std::vector<std::wstring>& Elements, const wchar_t* Separator)
{
    return JoinElements(Elements, Separator);
}

std::string Join(const std::vector<std::string>& Elements, const char* Separator)
{
    return JoinElements(Elements, Separator);
}

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

std::string EncodeUtf8(const std::wstring& Text)
{
    if(Text.empty())
        return {};
    int const Size = static_cast<int>(Text.size());
    int const Length = WideCharToMultiByte(CP_UTF8, 0, Text.data(), Size, nullptr, 0, nullptr, nullptr);
    std::string Result(static_cast<size_t>(Length > 0 ? Length : 0), '\0');
    if(Length > 0)
        WideCharToMultiByte(CP_UTF8, 0, Text.data(), Size, Result.data(), Length, nullptr, nullptr);
    return Result;
}

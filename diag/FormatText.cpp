#include "diag/FormatText.h"

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

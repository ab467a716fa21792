#include "diag/FormatText.h"

#include "diag/CodePage.h"

#include <cstdio>

// The runtime library's _vsnwprintf reads "%hs" as narrow and "%ls" as wide text in wide formats,
// with every toolchain that targets it (the ISO forms of mingw do not). A text that does not fit is
// cut at the buffer's size.

std::string FormatText(const char* Format, ...)
{
    va_list Arguments;
    va_start(Arguments, Format);
    std::string Text = FormatTextInCodePage(ConsoleCodePage(), Format, Arguments);
    va_end(Arguments);
    return Text;
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

#pragma once

#include <cstdarg>
#include <string>

// printf-style formatting into a scratch buffer on the stack.
// In narrow and wide formats alike "%hs" takes a narrow string and "%ls" a wide string. Narrow
// formats put wide text ("%ls", "%lc") in the console's code page (see ConsoleCodePage).
std::string FormatText(const char* Format, ...);
std::wstring FormatText(const wchar_t* Format, ...);

// The narrow form with wide text put in CodePage. It takes the standard conversions and the
// runtime library's "%S", "%C" and "I64", "I32", "I" sizes; at a conversion it does not know it stops.
std::string FormatTextInCodePage(unsigned int CodePage, const char* Format, va_list Arguments);

constexpr size_t g_NarrowFormatTextSize = 8192;
constexpr size_t g_WideFormatTextSize = 4096;

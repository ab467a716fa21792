#pragma once

#include <string>

// printf-style formatting into a scratch buffer on the stack; a text that does not fit is cut at
// the buffer's size. In narrow and wide formats alike "%hs" takes a narrow string and "%ls" a wide
// string. Text with wide strings in it is formatted wide: a narrow format would put them through the
// C runtime's locale, which drops the rest of the text at the first character it cannot take.
std::string FormatText(const char* Format, ...);
std::wstring FormatText(const wchar_t* Format, ...);

constexpr size_t g_NarrowFormatTextSize = 8192;
constexpr size_t g_WideFormatTextSize = 4096;

#pragma once

#include <string>

// printf-style formatting into a scratch buffer on the stack.
// In narrow and wide formats alike "%hs" takes a narrow string and "%ls" a wide string.
std::string FormatText(const char* Format, ...);
std::wstring FormatText(const wchar_t* Format, ...);

constexpr size_t g_NarrowFormatTextSize = 8192;
constexpr size_t g_WideFormatTextSize = 4096;

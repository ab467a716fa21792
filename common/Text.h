#pragma once

#include <string>
#include <vector>

// printf-style formatting into a scratch buffer on the stack; a text that does not fit is cut at
// the buffer's size. In narrow and wide formats alike "%hs" takes a narrow string and "%ls" a wide
// string. Text with wide strings in it is formatted wide: a narrow format would put them through the
// C runtime's locale, which drops the rest of the text at the first character it cannot take.
std::string FormatText(const char* Format, ...);
std::wstring FormatText(const wchar_t* Format, ...);

constexpr size_t g_NarrowFormatTextSize = 8192;
constexpr size_t g_WideFormatTextSize = 4096;

// The elements joined with Separator between consecutive ones.
std::wstring Join(const std::vector<std::wstring>& Elements, const wchar_t* Separator);
std::string Join(const std::vector<std::string>& Elements, const char* Separator);

// UTF-8 text as UTF-16; a byte that belongs to no valid sequence becomes U+FFFD.
std::wstring DecodeUtf8(const std::string& Text);
// UTF-16 text as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string EncodeUtf8(const std::wstring& Text);

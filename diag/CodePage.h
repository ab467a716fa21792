#pragma once

#include <string>

// The code page of the program's console text: the console's output code page, or the ANSI code
// page when the process has no console.
unsigned int ConsoleCodePage() noexcept;

// Wide text in CodePage: every character that the code page holds comes out as it, each other one
// as "?" (no look-alike substitutes), and nothing else is dropped.
std::string NarrowText(unsigned int CodePage, const wchar_t* Text, size_t Length);

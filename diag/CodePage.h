#pragma once

#include <string>

// The code page of the program's console text in a file or a pipe: the console's output code page,
// or the ANSI code page when the process has no console.
unsigned int ConsoleCodePage() noexcept;

// Wide text in CodePage: every character that the code page holds comes out as it, each other one
// as "?" (no look-alike substitutes where the code page allows choosing), and nothing else is lost.
// A code page that refuses those choices converts as it can, and one that cannot convert at all
// keeps the ASCII characters and puts "?" for every other.
std::string NarrowText(unsigned int CodePage, const std::wstring& Text);

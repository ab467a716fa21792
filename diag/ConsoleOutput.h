#pragma once

#include <windows.h>

#include <string>

// The one way out of the program's console lines, from any thread. Where standard output is a
// console, a line goes out as wide text, so that every character the console can show is shown;
// into a file or a pipe it goes out as bytes in the console's code page (see ConsoleCodePage), which
// is what scripts that read the output expect.
void PrintLine(const std::wstring& Line);
// The program's own narrow text, in ASCII or UTF-8.
void PrintLine(const std::string& Line);

// One line with its line end to Output, as PrintLine writes it to standard output.
void WriteLine(HANDLE Output, const std::wstring& Line);

// The code page of the program's console text in a file or a pipe: the console's output code page,
// or the ANSI code page when the process has no console.
unsigned int ConsoleCodePage() noexcept;

// Wide text in CodePage: every character that the code page holds comes out as it, each other one
// as "?" (no look-alike substitutes where the code page allows choosing), and nothing else is lost.
// A code page that refuses those choices converts as it can, and one that cannot convert at all
// keeps the ASCII characters and puts "?" for every other.
std::string NarrowText(unsigned int CodePage, const std::wstring& Text);

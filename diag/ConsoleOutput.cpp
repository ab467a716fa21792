#include "diag/ConsoleOutput.h"

#include "diag/CodePage.h"
#include "diag/DebugText.h"

namespace
{
constexpr wchar_t g_LineEnd[] = L"\r\n";

bool IsConsole(HANDLE Output) noexcept
{
    DWORD Mode;
    return GetConsoleMode(Output, &Mode) != FALSE;
}
} // namespace

// Each line is one write, so that lines of threads and of the two processes of a debugging run
// never mix. A line that cannot be written is lost: there is nowhere else to say so.
void WriteLine(HANDLE Output, const std::wstring& Line)
{
    std::wstring const Text = Line + g_LineEnd;
    DWORD Written;
    if(IsConsole(Output))
    {
        WriteConsoleW(Output, Text.data(), static_cast<DWORD>(Text.size()), &Written, nullptr);
        return;
    }
    std::string const Bytes = NarrowText(ConsoleCodePage(), Text);
    WriteFile(Output, Bytes.data(), static_cast<DWORD>(Bytes.size()), &Written, nullptr);
}

void PrintLine(const std::wstring& Line)
{
    WriteLine(GetStdHandle(STD_OUTPUT_HANDLE), Line);
}

void PrintLine(const std::string& Line)
{
    PrintLine(DecodeUtf8(Line));
}

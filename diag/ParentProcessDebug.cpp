#include "diag/ParentProcessDebug.h"

#include "common/Text.h"
#include "diag/Check.h"
#include "diag/DebugSession.h"

#include <dbghelp.h>
#include <shlwapi.h>

#include <cstdint>

namespace
{
// Full memory, handle data, unloaded modules, memory information and thread information.
constexpr DWORD g_FullDumpType = MiniDumpWithFullMemory | MiniDumpWithHandleData | MiniDumpWithUnloadedModules
    | MiniDumpWithFullMemoryInfo | MiniDumpWithThreadInfo;
static_assert(g_FullDumpType == 0x1826, "dump type of -Debug:Full");
constexpr DWORD g_ParentWaitTime = 5000;

// The console's control events reach the debugger copy as well as its debuggee, and the copy is to
// report to the debuggee's end. Ctrl+C and Ctrl+Break are the debuggee's to act on. A closing console
// ends the copy once the handler returns, so it does not: the copy ends with its debugging run, or
// when the system's time-out runs out.
BOOL WINAPI OutliveControlEvent(DWORD ControlType) noexcept
{
    if(ControlType != CTRL_C_EVENT && ControlType != CTRL_BREAK_EVENT)
        Sleep(INFINITE);
    return TRUE;
}
} // namespace

DWORD ParentProcessDebug::DumpTypeFromValue(const std::wstring& Value)
{
    if(Value.empty() || _wcsicmp(Value.c_str(), L"Normal") == 0)
        return MiniDumpNormal;
    if(_wcsicmp(Value.c_str(), L"Full") == 0)
        return g_FullDumpType;
    int Number = 0;
    if(!StrToIntExW(Value.c_str(), STIF_SUPPORT_HEX, &Number))
        return 0;
    return static_cast<DWORD>(Number);
}

bool ParentProcessDebug::FindLaunchOptions(const Arguments& Arguments, LaunchOptions& Options)
{
    Options = {};
    for(const std::wstring& Argument : Arguments)
    {
        std::wstring Name, Value;
        if(!ParseOption(Argument, Name, Value))
            continue;
        if(_wcsicmp(Name.c_str(), L"DisableDebugOutput") == 0)
            Options.m_DisableDebugOutput = 1;
        else if(_wcsicmp(Name.c_str(), L"Debug") == 0)
        {
            Options.m_DumpType = DumpTypeFromValue(Value);
            return true;
        }
    }
    return false;
}

std::wstring ParentProcessDebug::DebuggerCommandLine(const std::wstring& Path, const LaunchOptions& Options, DWORD ProcessId, HANDLE ReadyEvent)
{
    std::wstring CommandLine = L"\"" + Path + L"\"";
    if(Options.m_DisableDebugOutput)
        CommandLine += L" -DisableDebugOutput";
    CommandLine += FormatText(L" -ParentProcessDebug %d %d %d", static_cast<int>(ProcessId), static_cast<int>(Options.m_DumpType),
        static_cast<int>(reinterpret_cast<intptr_t>(ReadyEvent)));
    return CommandLine;
}

void ParentProcessDebug::StartDebugger(const Arguments& Arguments)
{
    LaunchOptions Options;
    if(FindLaunchOptions(Arguments, Options))
        LaunchDebugger(Options);
}

BOOL ParentProcessDebug::LaunchDebugger(const LaunchOptions& Options)
{
    if(IsDebuggerPresent())
        return FALSE;
    SECURITY_ATTRIBUTES EventAttributes { sizeof EventAttributes, nullptr, TRUE };
    ScopedHandle ReadyEvent(CreateEventW(&EventAttributes, TRUE, FALSE, nullptr));
    wchar_t Path[MAX_PATH] {};
    GetModuleFileNameW(nullptr, Path, MAX_PATH);
    std::wstring CommandLine = DebuggerCommandLine(Path, Options, GetCurrentProcessId(), ReadyEvent.Get());
    STARTUPINFOW StartupInfo {};
    StartupInfo.cb = sizeof StartupInfo;
    StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    StartupInfo.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    StartupInfo.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    StartupInfo.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION ProcessInformation {};
    if(!CreateProcessW(Path, CommandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &StartupInfo, &ProcessInformation))
        return FALSE;
    ScopedHandle const Process(ProcessInformation.hProcess);
    ScopedHandle(ProcessInformation.hThread).Close();
    // Until the copy has attached, or has ended, or for 5 s at most.
    HANDLE const Handles[] { Process.Get(), ReadyEvent.Get() };
    WaitForMultipleObjects(2, Handles, FALSE, g_ParentWaitTime);
    return TRUE;
}

bool ParentProcessDebug::FindTarget(const Arguments& Arguments, Target& Target)
{
    Target = {};
    size_t Index = 0;
    bool Found = false;
    while(!Found && Index < Arguments.size())
    {
        std::wstring Name, Value;
        if(!ParseOption(Arguments[Index++], Name, Value))
            continue;
        // The copy's own options, written by the first process, are compared as they are.
        if(Name == L"DisableDebugOutput")
            Target.m_DisableDebugOutput = 1;
        else if(Name == L"ParentProcessDebug")
            Found = true;
    }
    if(!Found)
        return false;
    std::wstring Value;
    if(!Arguments.Next(Index, Value))
        return false;
    Target.m_ProcessId = static_cast<DWORD>(_wtoi(Value.c_str()));
    if(!Target.m_ProcessId)
        return false;
    if(Arguments.Next(Index, Value))
        Target.m_DumpType = static_cast<DWORD>(_wtoi(Value.c_str()));
    if(Arguments.Next(Index, Value))
        Target.m_ReadyEvent = reinterpret_cast<HANDLE>(static_cast<intptr_t>(_wtoi(Value.c_str())));
    return true;
}

BOOL ParentProcessDebug::RunDebugger(const Arguments& Arguments, std::function<void(ParentProcessDebug&)> Configure)
{
    Target Target;
    if(!FindTarget(Arguments, Target))
        return FALSE;
    ParentProcessDebug Debug;
    Debug.m_DisableDebugOutput = Target.m_DisableDebugOutput;
    if(Configure)
        Configure(Debug);
    Debug.DebugProcess(Target.m_ProcessId, Target.m_DumpType, Target.m_ReadyEvent);
    return TRUE;
}

void ParentProcessDebug::DebugProcess(DWORD ProcessId, DWORD DumpType, HANDLE ReadyEvent)
{
    OutliveConsoleControl();
    if(!DebugActiveProcess(ProcessId))
        throw LastErrorResult();
    if(ReadyEvent)
        SetEvent(ReadyEvent);
    // Any failure inside the run ends it quietly; the debuggee runs on without a debugger.
    try
    {
        DebugSession Session(*this, ProcessId, DumpType);
        Session.Run();
    }
    catch(...)
    {
    }
}

void ParentProcessDebug::ShowDebugText(std::wstring Text) const
{
    if(m_DisableDebugOutput || !m_OutputHandler || !TrimDebugText(Text))
        return;
    Show(Text);
}

void ParentProcessDebug::ShowDumpFailure(HRESULT Result, const std::wstring& Path) const
{
    if(m_OutputHandler)
        Show(FormatText(L"Minidump Failure: 0x%08X %ls", static_cast<unsigned int>(Result), Path.c_str()));
}

void ParentProcessDebug::Show(const std::wstring& Text) const
{
    m_OutputHandler(TerminalSafeText(Text).c_str());
}

void ParentProcessDebug::OutliveConsoleControl()
{
    // Without it the copy would take the system's default, which ends it at once.
    SetConsoleCtrlHandler(OutliveControlEvent, TRUE);
}

bool ParentProcessDebug::IsConsoleControlException(DWORD Code) noexcept
{
    return Code == DBG_CONTROL_C || Code == DBG_CONTROL_BREAK;
}

bool TrimDebugText(std::wstring& Text)
{
    size_t const Last = Text.find_last_not_of(L"\t\n\r .");
    if(Last == std::wstring::npos)
        return false;
    Text.erase(Last + 1);
    return true;
}

std::wstring TerminalSafeText(std::wstring Text)
{
    for(size_t Index = 0; Index < Text.size(); ++Index)
    {
        wchar_t const Character = Text[Index];
        bool const LineEnd = Character == L'\n' || (Character == L'\r' && Index + 1 < Text.size() && Text[Index + 1] == L'\n');
        bool const Control = Character < 0x20 || (Character >= 0x7F && Character < 0xA0);
        if(Control && Character != L'\t' && !LineEnd)
            Text[Index] = L'?';
    }
    return Text;
}

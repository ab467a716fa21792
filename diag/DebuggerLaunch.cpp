#include "diag/FormatText.h"
#include "diag/ParentProcessDebug.h"

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

#include "diag/DebugSession.h"

#include "diag/Check.h"
#include "diag/DebugText.h"
#include "diag/FormatText.h"
#include "diag/ProcessReader.h"

#include <dbghelp.h>
#include <shlwapi.h>

#include <algorithm>
#include <vector>

namespace
{
constexpr size_t g_DebugStringSize = 8192;

using WaitForDebugEventFunction = BOOL(WINAPI*)(LPDEBUG_EVENT, DWORD);

// The wide form delivers OutputDebugStringW text as it was written; systems without it have the narrow one.
WaitForDebugEventFunction FindWaitForDebugEvent() noexcept
{
    FARPROC const Procedure = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "WaitForDebugEventEx");
    if(!Procedure)
        return &WaitForDebugEvent;
    return reinterpret_cast<WaitForDebugEventFunction>(reinterpret_cast<void*>(Procedure));
}

std::wstring ExecutableFileName()
{
    wchar_t Path[MAX_PATH] {};
    GetModuleFileNameW(nullptr, Path, MAX_PATH);
    return PathFindFileNameW(Path);
}
} // namespace

ParentProcessDebug::DebugSession::DebugSession(ParentProcessDebug& Debug, DWORD ProcessId, DWORD DumpType) noexcept :
    m_Debug(Debug), m_ProcessId(ProcessId), m_DumpType(DumpType)
{
}

ParentProcessDebug::DebugSession::~DebugSession()
{
    m_Symbols.reset();
    DebugActiveProcessStop(m_ProcessId);
}

void ParentProcessDebug::DebugSession::Run()
{
    // Should this copy end before its debuggee, the debuggee runs on without it.
    if(!DebugSetProcessKillOnExit(FALSE))
        throw LastErrorResult();
    WaitForDebugEventFunction const WaitForEvent = FindWaitForDebugEvent();
    for(;;)
    {
        DEBUG_EVENT Event {};
        if(!WaitForEvent(&Event, INFINITE))
            return;
        DWORD Status = DBG_CONTINUE;
        switch(Event.dwDebugEventCode)
        {
        case CREATE_PROCESS_DEBUG_EVENT:
            OnCreateProcess(Event.u.CreateProcessInfo);
            OnLoadModule(Event.u.CreateProcessInfo.hFile, Event.u.CreateProcessInfo.lpBaseOfImage);
            break;
        case EXIT_PROCESS_DEBUG_EVENT:
            return;
        case EXCEPTION_DEBUG_EVENT:
            if(Event.u.Exception.ExceptionRecord.ExceptionCode == EXCEPTION_BREAKPOINT)
                break;
            // The debuggee's own handlers always run, whatever the report decided. For Ctrl+C and
            // Ctrl+Break that is its console control handler, which a handled status would skip;
            // they are no failures and get no report.
            Status = DBG_EXCEPTION_NOT_HANDLED;
            if(!IsConsoleControlException(Event.u.Exception.ExceptionRecord.ExceptionCode))
                OnException(Event);
            break;
        case OUTPUT_DEBUG_STRING_EVENT:
            OnDebugString(Event.u.DebugString);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            OnLoadModule(Event.u.LoadDll.hFile, Event.u.LoadDll.lpBaseOfDll);
            break;
        case UNLOAD_DLL_DEBUG_EVENT:
            OnUnloadModule(Event.u.UnloadDll.lpBaseOfDll);
            break;
        }
        if(!ContinueDebugEvent(Event.dwProcessId, Event.dwThreadId, Status))
            throw LastErrorResult();
    }
}

void ParentProcessDebug::DebugSession::OnCreateProcess(const CREATE_PROCESS_DEBUG_INFO& Information)
{
    if(m_Process.IsValid())
        return;
    HANDLE const CurrentProcess = GetCurrentProcess();
    if(!DuplicateHandle(CurrentProcess, Information.hProcess, CurrentProcess, m_Process.GetAddressOf(), 0, FALSE, DUPLICATE_SAME_ACCESS))
        throw LastErrorResult();
    m_Symbols = std::make_unique<SymbolHandler>(m_Process.Get());
}

void ParentProcessDebug::DebugSession::OnLoadModule(HANDLE File, void* Base)
{
    // The file handle that the system delivers with the event is the debugger's to close.
    ScopedHandle const Owner(File);
    uint64_t const Address = reinterpret_cast<uintptr_t>(Base);
    uint64_t Size;
    if(ProcessReader(m_Process.Get(), m_Modules, nullptr).ReadImageSize(Address, Size))
        m_Modules.Add(Address, Size);
}

void ParentProcessDebug::DebugSession::OnUnloadModule(void* Base)
{
    uint64_t const Address = reinterpret_cast<uintptr_t>(Base);
    m_Modules.Remove(Address);
    // The symbol handler may have been given the module for a description.
    if(m_Symbols && m_Symbols->Started())
        SymUnloadModule64(m_Process.Get(), Address);
}

void ParentProcessDebug::DebugSession::OnException(const DEBUG_EVENT& Event)
{
    if(!m_Process.IsValid())
    {
        m_Process.Attach(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, m_ProcessId));
        if(!m_Process.IsValid())
            throw LastErrorResult();
    }
    EXCEPTION_RECORD Record = Event.u.Exception.ExceptionRecord;
    std::wstring DumpTag = InitialDumpTag(Record);
    if(!m_Debug.DescribeException(ProcessReader(m_Process.Get(), m_Modules, m_Symbols.get()), Record, DumpTag))
        return;
    WriteMiniDump(Event.dwProcessId, m_Process, Event.dwThreadId, &Record, DumpNameParts(DumpTag), m_DumpType);
}

std::vector<std::wstring> ParentProcessDebug::DebugSession::DumpNameParts(const std::wstring& DumpTag)
{
    std::vector<std::wstring> Parts { ExecutableFileName(), FormatText(L"%d", static_cast<int>(m_ProcessId)), L"DebugException",
        FormatText(L"%d", m_DumpCounter++) };
    if(!DumpTag.empty())
        Parts.push_back(DumpTag);
    return Parts;
}

void ParentProcessDebug::DebugSession::OnDebugString(const OUTPUT_DEBUG_STRING_INFO& Information) const
{
    if(m_Debug.m_DisableDebugOutput || !m_Debug.m_OutputHandler)
        return;
    ProcessReader const Reader(m_Process.Get(), m_Modules, nullptr);
    uint64_t const Address = reinterpret_cast<uintptr_t>(Information.lpDebugStringData);
    size_t const Count = std::min<size_t>(Information.nDebugStringLength, g_DebugStringSize - 1);
    if(Count == 0)
        return;
    if(Information.fUnicode)
    {
        std::vector<wchar_t> Buffer(g_DebugStringSize, L'\0');
        if(Reader.Read(Address, Buffer.data(), Count * sizeof(wchar_t)))
            m_Debug.ShowDebugText(Buffer.data());
        return;
    }
    std::vector<char> Buffer(g_DebugStringSize, '\0');
    if(Reader.Read(Address, Buffer.data(), Count))
        m_Debug.ShowDebugText(DecodeUtf8(Buffer.data()));
}

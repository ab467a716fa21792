#include "diag/DebugSession.h"

#include "common/Text.h"
#include "diag/Check.h"

#include <dbghelp.h>
#include <psapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <iterator>
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
        if(!WaitForEvent(&Event, INFINITE) || Event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT)
            return;
        DWORD const Status = ContinueStatus(Event);
        try
        {
            OnEvent(Event);
        }
        catch(...)
        {
            // The failure ends the run, but the debuggee goes on from this event as it would have:
            // an exception left pending at the detach would not reach the debuggee's own handlers.
            ContinueDebugEvent(Event.dwProcessId, Event.dwThreadId, Status);
            throw;
        }
        if(!ContinueDebugEvent(Event.dwProcessId, Event.dwThreadId, Status))
            throw LastErrorResult();
    }
}

// The debuggee's own handlers always run, whatever the report decided. For Ctrl+C and Ctrl+Break
// that is its console control handler, which a handled status would skip.
DWORD ParentProcessDebug::DebugSession::ContinueStatus(const DEBUG_EVENT& Event) noexcept
{
    if(Event.dwDebugEventCode == EXCEPTION_DEBUG_EVENT && Event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
        return DBG_EXCEPTION_NOT_HANDLED;
    return DBG_CONTINUE;
}

void ParentProcessDebug::DebugSession::OnEvent(const DEBUG_EVENT& Event)
{
    switch(Event.dwDebugEventCode)
    {
    case CREATE_PROCESS_DEBUG_EVENT:
        OnCreateProcess(Event.u.CreateProcessInfo);
        OnLoadModule(Event.u.CreateProcessInfo.hFile, Event.u.CreateProcessInfo.lpBaseOfImage);
        break;
    case EXCEPTION_DEBUG_EVENT:
        // The breakpoint of the attach is no failure, nor are Ctrl+C and Ctrl+Break.
        if(Event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT
            && !IsConsoleControlException(Event.u.Exception.ExceptionRecord.ExceptionCode))
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
    // Without a symbol handler of ours for the debuggee, the minidump writer sets one up for every
    // dump, which under Wine takes seconds and maps every library into the dump.
    if(m_Symbols)
        m_Symbols->Start();
    std::vector<std::wstring> const NameParts = DumpNameParts(DumpTag);
    std::wstring Path = DumpFilePath(DumpFileName(NameParts));
    try
    {
        WriteMiniDump(Event.dwProcessId, m_Process, Event.dwThreadId, &Record, NameParts, m_DumpType, &Path);
    }
    catch(HRESULT Result)
    {
        // One dump that cannot be written ends nothing: the next one may well be.
        m_Debug.ShowDumpFailure(Result, Path);
    }
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
    // The event's length has 16 bits, so a longer text's is its length modulo 65,536: the text is
    // read up to its terminator instead.
    ProcessReader const Reader(m_Process.Get(), m_Modules, nullptr);
    uint64_t const Address = reinterpret_cast<uintptr_t>(Information.lpDebugStringData);
    if(Information.fUnicode)
    {
        std::wstring Text;
        if(Reader.ReadText(Address, g_DebugStringSize, Text))
            m_Debug.ShowDebugText(Text);
        return;
    }
    std::string Text;
    if(Reader.ReadText(Address, g_DebugStringSize, Text))
        m_Debug.ShowDebugText(DecodeUtf8(Text));
}

void ParentProcessDebug::ModuleList::Add(uint64_t Base, uint64_t Size)
{
    m_Sizes[Base] = Size;
}

void ParentProcessDebug::ModuleList::Remove(uint64_t Base)
{
    m_Sizes.erase(Base);
}

bool ParentProcessDebug::ModuleList::Find(uint64_t Address, Module& Found) const
{
    auto Above = m_Sizes.upper_bound(Address);
    if(Above == m_Sizes.begin())
        return false;
    auto const Below = std::prev(Above);
    if(Address - Below->first >= Below->second)
        return false;
    Found = { Below->first, Below->second };
    return true;
}

ParentProcessDebug::SymbolHandler::~SymbolHandler()
{
    if(Started())
        SymCleanup(m_Process);
}

bool ParentProcessDebug::SymbolHandler::Start() noexcept
{
    if(m_State == State::NotStarted)
        m_State = SymInitializeW(m_Process, nullptr, FALSE) ? State::Started : State::Failed;
    return Started();
}

bool ParentProcessDebug::ProcessReader::Read(uint64_t Address, void* Buffer, size_t Size) const
{
    SIZE_T ReadSize = 0;
    if(!ReadProcessMemory(m_Process, reinterpret_cast<const void*>(static_cast<uintptr_t>(Address)), Buffer, Size, &ReadSize))
        return false;
    return ReadSize == Size;
}

// The module's path comes from the modules that the debug events told of, not from the debug-help
// library: a module loaded there makes every later dump walk its unwind data, which under Wine makes
// a dump five to eight times slower and four times bigger.
std::wstring ParentProcessDebug::ProcessReader::ModulePath(uint64_t Address) const
{
    if(!m_Symbols || !m_Symbols->Start())
        return {};
    ModuleList::Module Loaded;
    if(!m_Modules.Find(Address, Loaded))
        return {};
    wchar_t Path[MAX_PATH] {};
    HMODULE const Base = reinterpret_cast<HMODULE>(static_cast<uintptr_t>(Loaded.m_Base));
    if(!GetModuleFileNameExW(m_Process, Base, Path, MAX_PATH))
        return {};
    return Path;
}

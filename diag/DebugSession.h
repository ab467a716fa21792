#pragma once

#include "diag/DebuggeeReader.h"

#include <cstdint>
#include <map>
#include <memory>

// One debugging run of the debugger copy, and what it keeps of its debuggee for the exception report
// and the dumps: the modules, the symbol handler and the reader of the debuggee's memory.

// The debuggee's modules as its load and unload events tell them: where each image begins and how
// large it is. Recording them costs the debuggee nothing; the symbol handler is given one only when
// an exception's description needs it.
class ParentProcessDebug::ModuleList
{
public:
    struct Module
    {
        uint64_t m_Base;
        uint64_t m_Size;
    };

    // A module loaded again at the same base replaces the earlier one.
    void Add(uint64_t Base, uint64_t Size);
    void Remove(uint64_t Base);
    // The module whose image holds Address; false when none does.
    bool Find(uint64_t Address, Module& Found) const;

private:
    std::map<uint64_t, uint64_t> m_Sizes;
};

// The debug-help library's symbol handler for the debuggee, started the first time that a report asks
// which module holds an address or a dump is to be written, and cleaned up with the owner. Under Wine
// the start reads the ELF files of every library that the process has mapped, which would hold up
// every self-debugging run; and a dump without it sets up a handler of its own, for seconds each time.
class ParentProcessDebug::SymbolHandler
{
public:
    explicit SymbolHandler(HANDLE Process) noexcept : m_Process(Process)
    {
    }
    SymbolHandler(const SymbolHandler&) = delete;
    SymbolHandler& operator=(const SymbolHandler&) = delete;
    ~SymbolHandler();

    // Whether the handler runs, starting it on the first call.
    bool Start() noexcept;
    bool Started() const noexcept
    {
        return m_State == State::Started;
    }

private:
    enum class State
    {
        NotStarted,
        Failed,
        Started,
    };

    HANDLE m_Process;
    State m_State = State::NotStarted;
};

// Reads a debuggee through its process handle and the modules that the debug events told of. Without
// a running symbol handler it knows no module.
class ParentProcessDebug::ProcessReader : public ParentProcessDebug::DebuggeeReader
{
public:
    ProcessReader(HANDLE Process, const ModuleList& Modules, SymbolHandler* Symbols) noexcept :
        m_Process(Process), m_Modules(Modules), m_Symbols(Symbols)
    {
    }

    bool Read(uint64_t Address, void* Buffer, size_t Size) const override;
    std::wstring ModulePath(uint64_t Address) const override;

private:
    HANDLE m_Process;
    const ModuleList& m_Modules;
    SymbolHandler* m_Symbols;
};

// One debugging run of the debugger copy: the debuggee handle, the symbol handler, the debuggee's
// modules and the dump counter.
// The run's teardown (symbol cleanup, detaching, closing the handle) is the destructor's.
class ParentProcessDebug::DebugSession
{
public:
    DebugSession(ParentProcessDebug& Debug, DWORD ProcessId, DWORD DumpType) noexcept;
    DebugSession(const DebugSession&) = delete;
    DebugSession& operator=(const DebugSession&) = delete;
    ~DebugSession();

    // Handles debug events until the debuggee exits or a wait fails; failures are thrown.
    void Run();

private:
    static DWORD ContinueStatus(const DEBUG_EVENT& Event) noexcept;
    void OnEvent(const DEBUG_EVENT& Event);
    void OnCreateProcess(const CREATE_PROCESS_DEBUG_INFO& Information);
    void OnLoadModule(HANDLE File, void* Base);
    void OnUnloadModule(void* Base);
    void OnException(const DEBUG_EVENT& Event);
    void OnDebugString(const OUTPUT_DEBUG_STRING_INFO& Information) const;
    std::vector<std::wstring> DumpNameParts(const std::wstring& DumpTag);

    ParentProcessDebug& m_Debug;
    DWORD m_ProcessId;
    DWORD m_DumpType;
    ScopedHandle m_Process;
    // Made with the debuggee handle of the process-creation event; none on other paths.
    std::unique_ptr<SymbolHandler> m_Symbols;
    ModuleList m_Modules;
    int m_DumpCounter = 0;
};

#pragma once

#include "diag/ModuleList.h"
#include "diag/SymbolHandler.h"

#include <memory>

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

#pragma once

#include "diag/ParentProcessDebug.h"

// The debug-help library's symbol handler for the debuggee, started the first time that a report asks
// which module holds an address, and cleaned up with the owner. Under Wine the start reads the ELF
// files of every library that the process has mapped, which would hold up every self-debugging run.
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

#pragma once

#include "diag/ParentProcessDebug.h"

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

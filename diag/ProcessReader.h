#pragma once

#include "diag/DebuggeeReader.h"
#include "diag/ModuleList.h"

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

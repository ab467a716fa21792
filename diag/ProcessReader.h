#pragma once

#include "diag/DebuggeeReader.h"

// Reads a debuggee through its process handle and the debug-help library's module list.
class ParentProcessDebug::ProcessReader : public ParentProcessDebug::DebuggeeReader
{
public:
    explicit ProcessReader(HANDLE Process) noexcept : m_Process(Process)
    {
    }

    bool Read(uint64_t Address, void* Buffer, size_t Size) const override;
    std::wstring ModulePath(uint64_t Address) const override;

private:
    HANDLE m_Process;
};

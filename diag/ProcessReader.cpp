#include "diag/ProcessReader.h"
#include "diag/SymbolHandler.h"

#include <psapi.h>

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

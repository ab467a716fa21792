#include "diag/ProcessReader.h"

#include <dbghelp.h>

static_assert(sizeof(void*) != 8 || sizeof(IMAGEHLP_MODULEW64) == 0xCC0, "IMAGEHLP_MODULEW64 of the x64 debug-help library");

bool ParentProcessDebug::ProcessReader::Read(uint64_t Address, void* Buffer, size_t Size) const
{
    SIZE_T ReadSize = 0;
    if(!ReadProcessMemory(m_Process, reinterpret_cast<const void*>(static_cast<uintptr_t>(Address)), Buffer, Size, &ReadSize))
        return false;
    return ReadSize == Size;
}

std::wstring ParentProcessDebug::ProcessReader::ModulePath(uint64_t Address) const
{
    // Modules loaded since the symbol handler started are known only after a refresh.
    SymRefreshModuleList(m_Process);
    IMAGEHLP_MODULEW64 Module {};
    Module.SizeOfStruct = sizeof Module;
    if(!SymGetModuleInfoW64(m_Process, Address, &Module))
        return {};
    return Module.ImageName;
}

#include "diag/ProcessReader.h"
#include "diag/SymbolHandler.h"

#include <dbghelp.h>
#include <psapi.h>

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
    if(!m_Symbols || !m_Symbols->Start())
        return {};
    // Modules loaded since the symbol handler started are known only after a refresh.
    SymRefreshModuleList(m_Process);
    IMAGEHLP_MODULEW64 Module {};
    Module.SizeOfStruct = sizeof Module;
    if(SymGetModuleInfoW64(m_Process, Address, &Module))
        return Module.ImageName;
    if(!LoadModuleSymbols(Address) || !SymGetModuleInfoW64(m_Process, Address, &Module))
        return {};
    return Module.ImageName;
}

// Wine's refresh finds only the modules of its own ELF format: the debuggee's Windows modules come
// from its load events, and only the one asked about is loaded, for loading one can take seconds.
bool ParentProcessDebug::ProcessReader::LoadModuleSymbols(uint64_t Address) const
{
    ModuleList::Module Loaded;
    if(!m_Modules.Find(Address, Loaded))
        return false;
    wchar_t Path[MAX_PATH] {};
    HMODULE const Base = reinterpret_cast<HMODULE>(static_cast<uintptr_t>(Loaded.m_Base));
    if(!GetModuleFileNameExW(m_Process, Base, Path, MAX_PATH))
        return false;
    return SymLoadModuleExW(m_Process, nullptr, Path, nullptr, Loaded.m_Base, static_cast<DWORD>(Loaded.m_Size), nullptr, 0) != 0;
}

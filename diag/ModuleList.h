#pragma once

#include "diag/ParentProcessDebug.h"

#include <cstdint>
#include <map>

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

#include "diag/ModuleList.h"

#include <iterator>

void ParentProcessDebug::ModuleList::Add(uint64_t Base, uint64_t Size)
{
    m_Sizes[Base] = Size;
}

void ParentProcessDebug::ModuleList::Remove(uint64_t Base)
{
    m_Sizes.erase(Base);
}

bool ParentProcessDebug::ModuleList::Find(uint64_t Address, Module& Found) const
{
    auto Above = m_Sizes.upper_bound(Address);
    if(Above == m_Sizes.begin())
        return false;
    auto const Below = std::prev(Above);
    if(Address - Below->first >= Below->second)
        return false;
    Found = { Below->first, Below->second };
    return true;
}

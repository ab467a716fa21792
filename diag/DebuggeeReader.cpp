#include "diag/DebuggeeReader.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr uint64_t g_PageSize = 4096;
}

bool ParentProcessDebug::DebuggeeReader::ReadText(uint64_t Address, size_t BufferSize, std::string& Text) const
{
    Text.clear();
    if(BufferSize == 0)
        return false;
    size_t Remaining = BufferSize - 1;
    bool Any = false;
    char Chunk[g_PageSize];
    while(Remaining)
    {
        size_t const Size = static_cast<size_t>(std::min<uint64_t>(Remaining, g_PageSize - Address % g_PageSize));
        if(!Read(Address, Chunk, Size))
            break;
        Any = true;
        size_t const Length = strnlen(Chunk, Size);
        Text.append(Chunk, Length);
        if(Length < Size)
            break;
        Address += Size;
        Remaining -= Size;
    }
    return Any;
}

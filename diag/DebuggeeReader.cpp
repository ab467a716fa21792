#include "diag/DebuggeeReader.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace
{
constexpr uint64_t g_PageSize = 4096;
constexpr uint64_t g_ImageSizeOffset = offsetof(IMAGE_NT_HEADERS64, OptionalHeader) + offsetof(IMAGE_OPTIONAL_HEADER64, SizeOfImage);
} // namespace

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

bool ParentProcessDebug::DebuggeeReader::ReadImageSize(uint64_t Base, uint64_t& Size) const
{
    LONG Headers;
    DWORD ImageSize;
    if(!ReadValue(Base + offsetof(IMAGE_DOS_HEADER, e_lfanew), Headers)
        || !ReadValue(Base + static_cast<uint32_t>(Headers) + g_ImageSizeOffset, ImageSize))
        return false;
    Size = ImageSize;
    return true;
}

#include "diag/DebuggeeReader.h"

#include <algorithm>
#include <cstddef>

namespace
{
constexpr uint64_t g_PageSize = 4096;
constexpr uint64_t g_ImageSizeOffset = offsetof(IMAGE_NT_HEADERS64, OptionalHeader) + offsetof(IMAGE_OPTIONAL_HEADER64, SizeOfImage);
} // namespace

template <typename Character>
bool ParentProcessDebug::DebuggeeReader::ReadTextOf(uint64_t Address, size_t BufferSize, std::basic_string<Character>& Text) const
{
    Text.clear();
    if(BufferSize == 0)
        return false;
    size_t Remaining = BufferSize - 1;
    bool Any = false;
    Character Chunk[g_PageSize / sizeof(Character)];
    while(Remaining)
    {
        // Up to the page's end; a character that straddles it is read alone.
        uint64_t const InPage = (g_PageSize - Address % g_PageSize) / sizeof(Character);
        size_t const Count = std::min(Remaining, static_cast<size_t>(std::max<uint64_t>(InPage, 1)));
        if(!Read(Address, Chunk, Count * sizeof(Character)))
            break;
        Any = true;
        size_t const Length = std::find(Chunk, Chunk + Count, Character {}) - Chunk;
        Text.append(Chunk, Length);
        if(Length < Count)
            break;
        Address += Count * sizeof(Character);
        Remaining -= Count;
    }
    return Any;
}

bool ParentProcessDebug::DebuggeeReader::ReadText(uint64_t Address, size_t BufferSize, std::string& Text) const
{
    return ReadTextOf(Address, BufferSize, Text);
}

bool ParentProcessDebug::DebuggeeReader::ReadText(uint64_t Address, size_t BufferSize, std::wstring& Text) const
{
    return ReadTextOf(Address, BufferSize, Text);
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

#include "app/NameTable.h"

#include "app/Join.h"
#include "diag/FormatText.h"

#include <vector>

std::string ToString(const NameTableEntry* Table, size_t Size, uint32_t Value)
{
    for(size_t Index = 0; Index < Size; ++Index)
        if(Table[Index].Value == Value)
            return Table[Index].Name;
    return FormatText("0x%X", Value);
}

std::string FlagsToString(const NameTableEntry* Table, size_t Size, uint32_t Flags)
{
    if(Size && Table[0].Value == 0 && Flags == 0)
        return Table[0].Name;
    std::vector<std::string> Items;
    uint32_t Remaining = Flags;
    for(size_t Index = 0; Index < Size; ++Index)
        if(Table[Index].Value & Remaining)
        {
            Items.emplace_back(Table[Index].Name);
            Remaining &= ~Table[Index].Value;
        }
    if(Remaining)
        Items.push_back(FormatText("0x%X", Remaining));
    if(Items.empty())
        Items.emplace_back("0");
    return Join(Items, " | ");
}

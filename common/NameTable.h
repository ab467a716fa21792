#pragma once

#include <cstdint>
#include <string>

// One row of a value-to-name table; tables are searched front to back.
struct NameTableEntry
{
    uint32_t Value;
    const char* Name;
};

template <size_t Size>
using NameTable = NameTableEntry[Size];

// The name of the first row with Value, else "0x%X" of the value.
std::string ToString(const NameTableEntry* Table, size_t Size, uint32_t Value);
// The names of the rows whose bits are set, joined with " | ", with any remainder as "0x%X".
std::string FlagsToString(const NameTableEntry* Table, size_t Size, uint32_t Flags);

template <size_t Size>
std::string ToString(const NameTableEntry (&Table)[Size], uint32_t Value)
{
    return ToString(Table, Size, Value);
}

template <size_t Size>
std::string FlagsToString(const NameTableEntry (&Table)[Size], uint32_t Flags)
{
    return FlagsToString(Table, Size, Flags);
}

// Names of DXGI enumerations and flags, and of console control events, as printed on the console.
extern const NameTableEntry g_AdapterFlagNames[3];
extern const NameTableEntry g_AdapterFlag3Names[7];
extern const NameTableEntry g_HardwareCompositionSupportFlagNames[3];
extern const NameTableEntry g_ColorSpaceNames[25];
extern const NameTableEntry g_FormatNames[119];
extern const NameTableEntry g_SwapEffectNames[4];
extern const NameTableEntry g_ScanlineOrderNames[4];
extern const NameTableEntry g_ScalingNames[3];
extern const NameTableEntry g_ConsoleControlNames[5];

#include "common/NameTable.h"

#include <gtest/gtest.h>

#include <set>

TEST(ToString, NamesKnownValuesAndFormatsOthers)
{
    EXPECT_EQ(ToString(g_FormatNames, 115), "DXGI_FORMAT_B4G4R4A4_UNORM");
    EXPECT_EQ(ToString(g_FormatNames, 132), "DXGI_FORMAT_V408");
    EXPECT_EQ(ToString(g_FormatNames, 116), "0x74");
    EXPECT_EQ(ToString(g_ColorSpaceNames, 0xFFFFFFFFu), "0xFFFFFFFF");
    EXPECT_EQ(ToString(g_ColorSpaceNames, 24), "DXGI_COLOR_SPACE_YCBCR_STUDIO_G24_TOPLEFT_P2020");
    EXPECT_EQ(ToString(g_ConsoleControlNames, 3), "0x3");
    std::set<uint32_t> Values;
    for(const NameTableEntry& Entry : g_FormatNames)
        EXPECT_TRUE(Values.insert(Entry.Value).second) << Entry.Name;
}

TEST(FlagsToString, NamesBitsAndRemainder)
{
    EXPECT_EQ(FlagsToString(g_AdapterFlagNames, 0), "DXGI_ADAPTER_FLAG_NONE");
    EXPECT_EQ(FlagsToString(g_AdapterFlagNames, 0x3), "DXGI_ADAPTER_FLAG_REMOTE | DXGI_ADAPTER_FLAG_SOFTWARE");
    EXPECT_EQ(FlagsToString(g_AdapterFlagNames, 0x6), "DXGI_ADAPTER_FLAG_SOFTWARE | 0x4");
    EXPECT_EQ(FlagsToString(g_AdapterFlag3Names, 0x102), "DXGI_ADAPTER_FLAG3_SOFTWARE | 0x100");
    EXPECT_EQ(FlagsToString(g_HardwareCompositionSupportFlagNames, 0), "0");
    EXPECT_EQ(FlagsToString(g_HardwareCompositionSupportFlagNames, 0x3),
        "DXGI_HARDWARE_COMPOSITION_SUPPORT_FLAG_FULLSCREEN | DXGI_HARDWARE_COMPOSITION_SUPPORT_FLAG_WINDOWED");
    EXPECT_EQ(FlagsToString(g_HardwareCompositionSupportFlagNames, 0x10), "0x10");
}

#pragma once

#include "app/NameTable.h"

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

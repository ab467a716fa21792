#pragma once

// The four embedded HLSL sources, RT_RCDATA resources for -ShaderIndex 0 to 3 in this order. The
// resource script includes this file too, so the numbers are macros.
#define SHADER_RESOURCE_BLOSSOMS 110
#define SHADER_RESOURCE_RIBBONS 111
#define SHADER_RESOURCE_NETWORK 112
#define SHADER_RESOURCE_OUTLINES 113

#ifndef RC_INVOKED
constexpr unsigned short g_ShaderResources[] = { SHADER_RESOURCE_BLOSSOMS, SHADER_RESOURCE_RIBBONS, SHADER_RESOURCE_NETWORK, SHADER_RESOURCE_OUTLINES };
#endif

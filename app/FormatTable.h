#pragma once

#include <dxgiformat.h>

// The pixel formats that -Format accepts, by full and short name.
struct FormatTableEntry
{
    DXGI_FORMAT Value;
    const wchar_t* Name;
    const wchar_t* ShortName;
};

extern const FormatTableEntry g_FormatTable[4];

// The format whose name or short name is Text (case-insensitive); DXGI_FORMAT_UNKNOWN when none.
DXGI_FORMAT FindFormat(const wchar_t* Text);

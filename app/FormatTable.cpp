#include "app/FormatTable.h"

#include <cwchar>
#include <string.h>

const FormatTableEntry g_FormatTable[4] = {
    { DXGI_FORMAT_B8G8R8A8_UNORM, L"DXGI_FORMAT_B8G8R8A8_UNORM", L"b8g8r8a8" },
    { DXGI_FORMAT_R8G8B8A8_UNORM, L"DXGI_FORMAT_R8G8B8A8_UNORM", L"r8g8b8a8" },
    { DXGI_FORMAT_R10G10B10A2_UNORM, L"DXGI_FORMAT_R10G10B10A2_UNORM", L"r10g10b10a2" },
    { DXGI_FORMAT_R16G16B16A16_FLOAT, L"DXGI_FORMAT_R16G16B16A16_FLOAT", L"r16g16b16a16" },
};

DXGI_FORMAT FindFormat(const wchar_t* Text)
{
    for(const FormatTableEntry& Entry : g_FormatTable)
        if(_wcsicmp(Text, Entry.Name) == 0 || _wcsicmp(Text, Entry.ShortName) == 0)
            return Entry.Value;
    return DXGI_FORMAT_UNKNOWN;
}

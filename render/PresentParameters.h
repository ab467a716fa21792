#pragma once

#include <windows.h>

// The sync interval and flags of one present.
struct PresentParameters
{
    UINT SyncInterval;
    UINT Flags;
};

// A windowed swap chain made for tearing presents with interval 0 and DXGI_PRESENT_ALLOW_TEARING
// unless a positive interval is asked for; otherwise the configured interval, a negative one
// (automatic) meaning 0.
PresentParameters ChoosePresentParameters(INT PresentSyncInterval, BOOL FullscreenState, UINT SwapChainFlags) noexcept;

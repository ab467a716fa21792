#include "render/SwapChainFlags.h"

#include <dxgi.h>

UINT GetSwapChainFlags(INT AllowModeSwitchMode, INT WaitiableObjectMode, INT AllowTearingMode, BOOL AllowTearing) noexcept
{
    UINT Flags = 0;
    if(AllowModeSwitchMode == SwapChainModeEnable)
        Flags |= DXGI_SWAP_CHAIN_FLAG_ALLOW_MODE_SWITCH;
    if(WaitiableObjectMode == SwapChainModeEnable)
        Flags |= DXGI_SWAP_CHAIN_FLAG_FRAME_LATENCY_WAITABLE_OBJECT;
    switch(AllowTearingMode)
    {
    case SwapChainModeDisable:
        break;
    case SwapChainModeEnable:
        Flags |= DXGI_SWAP_CHAIN_FLAG_ALLOW_TEARING;
        break;
    default:
        if(AllowTearing)
            Flags |= DXGI_SWAP_CHAIN_FLAG_ALLOW_TEARING;
        break;
    }
    return Flags;
}

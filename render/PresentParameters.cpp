#include "render/PresentParameters.h"

#include <dxgi.h>

PresentParameters ChoosePresentParameters(INT PresentSyncInterval, BOOL FullscreenState, UINT SwapChainFlags) noexcept
{
    if(!FullscreenState && PresentSyncInterval <= 0 && (SwapChainFlags & DXGI_SWAP_CHAIN_FLAG_ALLOW_TEARING))
        return { 0, DXGI_PRESENT_ALLOW_TEARING };
    return { PresentSyncInterval >= 0 ? static_cast<UINT>(PresentSyncInterval) : 0u, 0 };
}

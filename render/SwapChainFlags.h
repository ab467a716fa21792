#pragma once

#include <windows.h>

// The three swap-chain modes of the configuration share one scale.
enum SwapChainMode : INT
{
    SwapChainModeDefault = 0,
    SwapChainModeAutomatic = 1,
    SwapChainModeDisable = 2,
    SwapChainModeEnable = 3,
};

// The DXGI_SWAP_CHAIN_FLAG bits that the modes ask for. Mode switch and the frame-latency waitable
// object are set only when enabled; tearing follows the factory's support unless disabled, and is
// set when enabled whether supported or not. Values outside the scale behave as Default.
UINT GetSwapChainFlags(INT AllowModeSwitchMode, INT WaitiableObjectMode, INT AllowTearingMode, BOOL AllowTearing) noexcept;

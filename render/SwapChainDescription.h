#pragma once

#include "app/Application.h"

#include <dxgi1_2.h>

// The flip-discard swap chain for a client area of Width x Height with the configuration's format,
// buffer count and mode flags.
DXGI_SWAP_CHAIN_DESC1 MakeSwapChainDesc1(const Application::Configuration& Configuration, UINT Width, UINT Height, BOOL AllowTearing) noexcept;

// The display mode asked for in full screen: the configured frame size and rate, progressive.
DXGI_MODE_DESC MakeModeDesc(const Application::Configuration& Configuration, DXGI_FORMAT Format) noexcept;

// The swap chain's full-screen description from the matching mode; it starts windowed.
DXGI_SWAP_CHAIN_FULLSCREEN_DESC MakeSwapChainFullscreenDesc(const DXGI_MODE_DESC& MatchModeDesc) noexcept;

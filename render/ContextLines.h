#pragma once

#include <dxgi1_2.h>

#include <string>

// The console lines that the context prints while it is built and while it presents.
std::wstring FormatAdapterLine(const DXGI_ADAPTER_DESC1& AdapterDesc1);
std::wstring FormatOutputLine(const DXGI_OUTPUT_DESC& OutputDesc);
std::string FormatSwapChainLine(const DXGI_SWAP_CHAIN_DESC1& SwapChainDesc1);
std::string FormatFullscreenModeLine(const DXGI_MODE_DESC& MatchModeDesc);
std::string FormatPresentFailureLine(HRESULT PresentResult);

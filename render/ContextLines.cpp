#include "render/ContextLines.h"

#include "app/DxgiNames.h"
#include "app/Join.h"
#include "diag/ComException.h"
#include "diag/FormatText.h"

#include <vector>

std::wstring FormatAdapterLine(const DXGI_ADAPTER_DESC1& AdapterDesc1)
{
    return FormatText(L"DXGI Adapter: %ls, %d.%08X", AdapterDesc1.Description, static_cast<int>(AdapterDesc1.AdapterLuid.HighPart), static_cast<unsigned int>(AdapterDesc1.AdapterLuid.LowPart));
}

std::wstring FormatOutputLine(const DXGI_OUTPUT_DESC& OutputDesc)
{
    return FormatText(L"DXGI Output: %ls", OutputDesc.DeviceName);
}

std::string FormatSwapChainLine(const DXGI_SWAP_CHAIN_DESC1& SwapChainDesc1)
{
    std::vector<std::string> const Items {
        FormatText("%u x %u", SwapChainDesc1.Width, SwapChainDesc1.Height),
        ToString(g_FormatNames, SwapChainDesc1.Format),
        FormatText("BufferCount %u", SwapChainDesc1.BufferCount),
        ToString(g_SwapEffectNames, SwapChainDesc1.SwapEffect),
    };
    return FormatText("DXGI SwapChain: %s", Join(Items, ", ").c_str());
}

std::string FormatFullscreenModeLine(const DXGI_MODE_DESC& MatchModeDesc)
{
    DXGI_RATIONAL const& Rate = MatchModeDesc.RefreshRate;
    std::vector<std::string> const Items {
        FormatText("%u x %u @ %u/%u (%.3f)", MatchModeDesc.Width, MatchModeDesc.Height, Rate.Numerator, Rate.Denominator, static_cast<double>(Rate.Numerator) / Rate.Denominator),
        ToString(g_FormatNames, MatchModeDesc.Format),
        ToString(g_ScanlineOrderNames, MatchModeDesc.ScanlineOrdering),
        ToString(g_ScalingNames, MatchModeDesc.Scaling),
    };
    return FormatText("DXGI Fullscreen Mode: %s", Join(Items, ", ").c_str());
}

std::string FormatPresentFailureLine(HRESULT PresentResult)
{
    ComException const Exception(PresentResult);
    return FormatText("DXGI SwapChain Present Failure: 0x%08X %hs", static_cast<unsigned int>(PresentResult), Exception.what());
}

#include "app/Program.h"

#include "common/NameTable.h"
#include "common/Text.h"
#include "diag/Check.h"
#include "diag/ConsoleOutput.h"

#include <dxgi1_6.h>
#include <wrl/client.h>

#include <string>
#include <vector>

// The report is a step of the program's entry and its failures trace under that name.
#undef TRACE_FUNCTION
#define TRACE_FUNCTION "main"

using Microsoft::WRL::ComPtr;

namespace
{
void PrintTearingSupport(const ComPtr<IDXGIFactory>& DxgiFactory)
{
    ComPtr<IDXGIFactory5> DxgiFactory5;
    if(FAILED(DxgiFactory.As(&DxgiFactory5)))
        return;
    BOOL AllowTearing = FALSE;
    if(FAILED(DxgiFactory5->CheckFeatureSupport(DXGI_FEATURE_PRESENT_ALLOW_TEARING, &AllowTearing, sizeof AllowTearing)))
        return;
    PrintLine(FormatText("Factory: DXGI_FEATURE_PRESENT_ALLOW_TEARING %u", AllowTearing));
}

template <typename Description>
std::vector<std::wstring> AdapterItems(const Description& Desc)
{
    return {
        FormatText(L"%ls", Desc.Description),
        FormatText(L"Vendor 0x%04X", Desc.VendorId),
        FormatText(L"Adapter %d.%08X", Desc.AdapterLuid.HighPart, Desc.AdapterLuid.LowPart),
    };
}

std::vector<std::wstring> DescribeAdapter(const ComPtr<IDXGIAdapter>& DxgiAdapter)
{
    ComPtr<IDXGIAdapter1> DxgiAdapter1;
    CHECK_HRESULT(DxgiAdapter.As(&DxgiAdapter1));
    ComPtr<IDXGIAdapter4> DxgiAdapter4;
    if(SUCCEEDED(DxgiAdapter.As(&DxgiAdapter4)))
    {
        DXGI_ADAPTER_DESC3 DxgiAdapterDesc3;
        CHECK_HRESULT(DxgiAdapter4->GetDesc3(&DxgiAdapterDesc3));
        std::vector<std::wstring> Items = AdapterItems(DxgiAdapterDesc3);
        if(DxgiAdapterDesc3.Flags)
            Items.push_back(FormatText(L"Flags %hs", FlagsToString(g_AdapterFlag3Names, DxgiAdapterDesc3.Flags).c_str()));
        return Items;
    }
    DXGI_ADAPTER_DESC1 DxgiAdapterDesc;
    CHECK_HRESULT(DxgiAdapter1->GetDesc1(&DxgiAdapterDesc));
    std::vector<std::wstring> Items = AdapterItems(DxgiAdapterDesc);
    if(DxgiAdapterDesc.Flags)
        Items.push_back(FormatText(L"Flags %hs", FlagsToString(g_AdapterFlagNames, DxgiAdapterDesc.Flags).c_str()));
    return Items;
}

std::vector<std::wstring> DescribeOutput(const ComPtr<IDXGIOutput>& DxgiOutput)
{
    ComPtr<IDXGIOutput6> DxgiOutput6;
    if(FAILED(DxgiOutput.As(&DxgiOutput6)))
    {
        DXGI_OUTPUT_DESC DxgiOutputDesc;
        CHECK_HRESULT(DxgiOutput->GetDesc(&DxgiOutputDesc));
        return { FormatText(L"%ls", DxgiOutputDesc.DeviceName) };
    }
    DXGI_OUTPUT_DESC1 DxgiOutputDesc1;
    CHECK_HRESULT(DxgiOutput6->GetDesc1(&DxgiOutputDesc1));
    std::vector<std::wstring> Items {
        FormatText(L"%ls", DxgiOutputDesc1.DeviceName),
        FormatText(L"BitsPerColor %u", DxgiOutputDesc1.BitsPerColor),
        FormatText(L"ColorSpace %hs", ToString(g_ColorSpaceNames, DxgiOutputDesc1.ColorSpace).c_str()),
    };
    UINT Flags = 0;
    if(SUCCEEDED(DxgiOutput6->CheckHardwareCompositionSupport(&Flags)))
        Items.push_back(FormatText(L"HardwareCompositionSupport %hs", FlagsToString(g_HardwareCompositionSupportFlagNames, Flags).c_str()));
    return Items;
}

void PrintOutputs(const ComPtr<IDXGIAdapter>& DxgiAdapter)
{
    for(UINT OutputIndex = 0;; ++OutputIndex)
    {
        ComPtr<IDXGIOutput> DxgiOutput;
        if(FAILED(DxgiAdapter->EnumOutputs(OutputIndex, DxgiOutput.GetAddressOf())))
            return;
        PrintLine(FormatText(L"  Output %d: %ls", OutputIndex, Join(DescribeOutput(DxgiOutput), L", ").c_str()));
    }
}
} // namespace

void PrintAdapterReport()
{
    UINT const DxgiFactoryDebugFlag = 0;
    ComPtr<IDXGIFactory> DxgiFactory;
    CHECK_HRESULT(CreateDXGIFactory2(DxgiFactoryDebugFlag, IID_PPV_ARGS(DxgiFactory.GetAddressOf())));
    PrintTearingSupport(DxgiFactory);
    for(UINT AdapterIndex = 0;; ++AdapterIndex)
    {
        ComPtr<IDXGIAdapter> DxgiAdapter;
        HRESULT const Result = DxgiFactory->EnumAdapters(AdapterIndex, DxgiAdapter.GetAddressOf());
        if(Result == DXGI_ERROR_NOT_FOUND)
            return;
        CHECK_HRESULT(Result);
        PrintLine(FormatText(L"Adapter %d: %ls", AdapterIndex, Join(DescribeAdapter(DxgiAdapter), L", ").c_str()));
        PrintOutputs(DxgiAdapter);
    }
}

#include "render/Context.h"

#include "common/NameTable.h"
#include "common/Text.h"
#include "common/Ticks.h"
#include "diag/Check.h"
#include "diag/ConsoleOutput.h"
#include "render/Window.h"

#include <d3dcompiler.h>
#include <dxgi1_5.h>

#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace
{
// The code that a condition check without one takes from its line, fixed for this check as the
// console shows it whatever line the check moves to.
constexpr HRESULT g_NoSwapChain2Result = static_cast<HRESULT>(0x80FF01E5);
} // namespace

Application::Context::Context(const Configuration& Configuration, Window& Window) : m_Configuration(Configuration), m_Window(Window)
{
    RECT ClientRect {};
    GetClientRect(m_Window.m_Handle, &ClientRect);
    UINT const CreateFactoryFlags = 0;
    CHECK_HRESULT(CreateDXGIFactory2(CreateFactoryFlags, IID_PPV_ARGS(&m_Factory2)));
    QueryAllowTearing();

    CHECK_HRESULT(m_Factory2->EnumAdapters1(m_Configuration.m_AdapterIndex, m_Adapter1.GetAddressOf()));
    CHECK_HRESULT(m_Adapter1->GetDesc1(&m_AdapterDesc1));
    PrintLine(FormatAdapterLine(m_AdapterDesc1));
    CHECK_HRESULT(m_Adapter1->EnumOutputs(m_Configuration.m_OutputIndex, m_Output.GetAddressOf()));
    CHECK_HRESULT(m_Output->GetDesc(&m_OutputDesc));
    PrintLine(FormatOutputLine(m_OutputDesc));
    CenterWindow(ClientRect);

    UINT const CreateDeviceFlags = m_Configuration.m_OverlayMode ? D3D11_CREATE_DEVICE_BGRA_SUPPORT : 0;
    CHECK_HRESULT(D3D11CreateDevice(m_Adapter1.Get(), D3D_DRIVER_TYPE_UNKNOWN, nullptr, CreateDeviceFlags, nullptr, 0, D3D11_SDK_VERSION, m_Device.GetAddressOf(), &m_FeatureLevel, m_DeviceContext.GetAddressOf()));
    CHECK_HRESULT(m_Device.As(&m_Device1));
    CHECK_HRESULT(m_DeviceContext.As(&m_DeviceContext1));

    DXGI_SWAP_CHAIN_DESC1 const SwapChainDesc1 = MakeSwapChainDesc1(m_Configuration, ClientRect.right - ClientRect.left, ClientRect.bottom - ClientRect.top, m_AllowTearing);
    PrintLine(FormatSwapChainLine(SwapChainDesc1));
    DXGI_MODE_DESC const ModeDesc = MakeModeDesc(m_Configuration, SwapChainDesc1.Format);
    DXGI_MODE_DESC MatchModeDesc {};
    CHECK_HRESULT(m_Output->FindClosestMatchingMode(&ModeDesc, &MatchModeDesc, m_Device.Get()));
    PrintLine(FormatFullscreenModeLine(MatchModeDesc));
    DXGI_SWAP_CHAIN_FULLSCREEN_DESC const SwapChainFullscreenDesc = MakeSwapChainFullscreenDesc(MatchModeDesc);
    CHECK_HRESULT(m_Factory2->CreateSwapChainForHwnd(m_Device.Get(), m_Window.m_Handle, &SwapChainDesc1, &SwapChainFullscreenDesc, m_Output.Get(), m_SwapChain1.GetAddressOf()));
    CHECK_HRESULT(m_SwapChain1.As(&m_SwapChain));
    m_SwapChain1.As(&m_SwapChain2);
    CHECK_CONDITION(m_SwapChain2 || !(SwapChainDesc1.Flags & DXGI_SWAP_CHAIN_FLAG_FRAME_LATENCY_WAITABLE_OBJECT), g_NoSwapChain2Result, "Failed to object IDXGISwapChain2 while enabling DXGI_SWAP_CHAIN_FLAG_FRAME_LATENCY_WAITABLE_OBJECT");
    CHECK_HRESULT(m_Factory2->MakeWindowAssociation(m_Window.m_Handle, 0 * DXGI_MWA_NO_ALT_ENTER));
    if(m_Configuration.m_FullscreenMode)
    {
        CHECK_HRESULT(m_SwapChain1->ResizeTarget(&MatchModeDesc));
        CHECK_HRESULT(m_SwapChain1->SetFullscreenState(TRUE, nullptr));
    }

    float const Width = static_cast<float>(SwapChainDesc1.Width);
    float const Height = static_cast<float>(SwapChainDesc1.Height);
    D3D11_BUFFER_DESC const ConstantBufferDesc { sizeof(ConstantBuffer), D3D11_USAGE_DEFAULT, D3D11_BIND_CONSTANT_BUFFER, 0, 0, 0 };
    CHECK_HRESULT(m_Device->CreateBuffer(&ConstantBufferDesc, nullptr, m_ConstantBuffer.GetAddressOf()));
    m_ConstantBufferData.Resolution[0] = Width;
    m_ConstantBufferData.Resolution[1] = Height;

    WORD const ResourceIdentifier = g_ShaderResources[m_Configuration.m_ShaderIndex];
    ComPtr<ID3DBlob> const VertexShaderBlob = CompileShader(ResourceIdentifier, "VS", "vs_4_0");
    CHECK_HRESULT(m_Device->CreateVertexShader(VertexShaderBlob->GetBufferPointer(), VertexShaderBlob->GetBufferSize(), nullptr, m_VertexShader.GetAddressOf()));
    const D3D11_INPUT_ELEMENT_DESC* const InputElementDesc = g_QuadInputElements;
    UINT const InputElementCount = g_QuadInputElementCount;
    CHECK_HRESULT(m_Device->CreateInputLayout(InputElementDesc, InputElementCount, VertexShaderBlob->GetBufferPointer(), VertexShaderBlob->GetBufferSize(), m_VertexInputLayout.GetAddressOf()));
    ComPtr<ID3DBlob> const PixelShaderBlob = CompileShader(ResourceIdentifier, "PS", "ps_4_0");
    CHECK_HRESULT(m_Device->CreatePixelShader(PixelShaderBlob->GetBufferPointer(), PixelShaderBlob->GetBufferSize(), nullptr, m_PixelShader.GetAddressOf()));

    {
        QuadVertices const Vertices = MakeQuadVertices(Width, Height);
        D3D11_BUFFER_DESC const VertexBufferDesc { static_cast<UINT>(sizeof Vertices), D3D11_USAGE_DEFAULT, D3D11_BIND_VERTEX_BUFFER, 0, 0, 0 };
        D3D11_SUBRESOURCE_DATA const Data { Vertices.data(), 0, 0 };
        CHECK_HRESULT(m_Device->CreateBuffer(&VertexBufferDesc, &Data, m_VertexBuffer.GetAddressOf()));
    }
    m_IndexCount = static_cast<UINT>(QuadIndices().size());
    {
        QuadIndices const Indices = MakeQuadIndices();
        D3D11_BUFFER_DESC const IndexBufferDesc { static_cast<UINT>(sizeof Indices), D3D11_USAGE_DEFAULT, D3D11_BIND_INDEX_BUFFER, 0, 0, 0 };
        D3D11_SUBRESOURCE_DATA const Data { Indices.data(), 0, 0 };
        CHECK_HRESULT(m_Device->CreateBuffer(&IndexBufferDesc, &Data, m_IndexBuffer.GetAddressOf()));
    }
    BindQuad(Width, Height);
}

void Application::Context::QueryAllowTearing()
{
    Microsoft::WRL::ComPtr<IDXGIFactory5> Factory5;
    if(FAILED(m_Factory2.As(&Factory5)))
    {
        PrintLine("Warning: No IDXGIFactory5 available");
        return;
    }
    BOOL Value = FALSE;
    if(SUCCEEDED(Factory5->CheckFeatureSupport(DXGI_FEATURE_PRESENT_ALLOW_TEARING, &Value, sizeof Value)))
        m_AllowTearing = Value;
    if(!Value)
        PrintLine("Warning: No support for DXGI_FEATURE_PRESENT_ALLOW_TEARING");
}

void Application::Context::CenterWindow(const RECT& ClientRect)
{
    LONG const Width = ClientRect.right - ClientRect.left;
    LONG const Height = ClientRect.bottom - ClientRect.top;
    RECT const& Desktop = m_OutputDesc.DesktopCoordinates;
    LONG const Left = (Desktop.left + Desktop.right) / 2 - Width / 2;
    LONG const Top = (Desktop.top + Desktop.bottom) / 2 - Height / 2;
    MoveWindow(m_Window.m_Handle, Left, Top, Width, Height, TRUE);
}

void Application::Context::BindQuad(float Width, float Height)
{
    m_DeviceContext->IASetInputLayout(m_VertexInputLayout.Get());
    UINT const Stride = sizeof(Vertex);
    UINT const Offset = 0;
    m_DeviceContext->IASetVertexBuffers(0, 1, m_VertexBuffer.GetAddressOf(), &Stride, &Offset);
    m_DeviceContext->IASetIndexBuffer(m_IndexBuffer.Get(), DXGI_FORMAT_R16_UINT, 0);
    m_DeviceContext->IASetPrimitiveTopology(D3D11_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
    m_World = IdentityMatrix();
    m_View = MakeQuadViewMatrix(Height);
    m_Projection = MakeQuadProjectionMatrix(Width, Height);
}

ComPtr<ID3DBlob> Application::Context::CompileShader(WORD ResourceIdentifier, const char* Entry, const char* Target)
{
    HMODULE const Module = GetModuleHandleW(nullptr);
    HRSRC const Resource = FindResourceW(Module, MAKEINTRESOURCEW(ResourceIdentifier), RT_RCDATA);
    CHECK_WIN32(Resource);
    DWORD const Size = SizeofResource(Module, Resource);
    HGLOBAL const ResourceDataHandle = LoadResource(Module, Resource);
    CHECK_WIN32(ResourceDataHandle);
    const void* const Text = LockResource(ResourceDataHandle);

    ComPtr<ID3DBlob> CodeBlob;
    ComPtr<ID3DBlob> ErrorBlob;
    HRESULT const CompileResult = D3DCompile(Text, Size, nullptr, nullptr, nullptr, Entry, Target, D3DCOMPILE_ENABLE_STRICTNESS, 0, CodeBlob.GetAddressOf(), ErrorBlob.GetAddressOf());
    if(ErrorBlob)
    {
        std::string const Message(static_cast<const char*>(ErrorBlob->GetBufferPointer()), ErrorBlob->GetBufferSize());
        TRACE(L"D3D Compile Error, %hs\n", Message.c_str());
    }
    CHECK_HRESULT(CompileResult);
    return CodeBlob;
}

void Application::Context::UpdateConstantBuffer(float Time)
{
    StoreMatrices(m_ConstantBufferData, m_World, m_View, m_Projection);
    m_ConstantBufferData.Time = Time;
    m_DeviceContext->UpdateSubresource(m_ConstantBuffer.Get(), 0, nullptr, &m_ConstantBufferData, 0, 0);
}

void Application::Context::Render(uint64_t Time, BOOL Resize)
{
    m_LastWait = 0;
    m_LastPresent = 0;
    m_LastPresentResult = S_OK;
    UpdateConstantBuffer(static_cast<float>(static_cast<float>(Time) / g_TicksPerSecond));
    DXGI_SWAP_CHAIN_DESC1 SwapChainDesc1;
    CHECK_HRESULT(m_SwapChain1->GetDesc1(&SwapChainDesc1));
    HRESULT const PresentResult = PresentPasses(
        Resize,
        [&](bool Presents) {
            BOOL FullscreenState = FALSE;
            {
                ComPtr<IDXGIOutput> Output;
                CHECK_HRESULT(m_SwapChain1->GetFullscreenState(&FullscreenState, Output.GetAddressOf()));
            }
            if(!Presents)
                return S_OK;
            if(SwapChainDesc1.Flags & DXGI_SWAP_CHAIN_FLAG_FRAME_LATENCY_WAITABLE_OBJECT)
                WaitForFrameLatency();
            ComPtr<ID3D11Texture2D> BufferTexture;
            CHECK_HRESULT(m_SwapChain->GetBuffer(0, IID_PPV_ARGS(&BufferTexture)));
            if(m_Configuration.m_OverlayMode)
            {
                m_OverlayTexture.Initialize(BufferTexture.Get());
                CHECK_HRESULT(m_Device->CreateRenderTargetView(m_OverlayTexture.m_Texture.Get(), nullptr, m_RenderTargetView.ReleaseAndGetAddressOf()));
            }
            else
                CHECK_HRESULT(m_Device->CreateRenderTargetView(BufferTexture.Get(), nullptr, m_RenderTargetView.ReleaseAndGetAddressOf()));
            DrawQuad(SwapChainDesc1);
            if(m_Configuration.m_OverlayMode)
                m_OverlayTexture.Copy();
            return Present(SwapChainDesc1, FullscreenState);
        },
        [&](HRESULT Failure) {
            if(FAILED(Failure))
                PrintLine(FormatPresentFailureLine(Failure));
            m_RenderTargetView.Reset();
            CHECK_HRESULT(m_SwapChain1->ResizeBuffers(SwapChainDesc1.BufferCount, m_Configuration.m_FrameSizeW, m_Configuration.m_FrameSizeH, m_Configuration.m_Format, SwapChainDesc1.Flags));
            ReleaseOverlayTextures();
        });
    CHECK_HRESULT(PresentResult);
    ++m_PresentCount;
}

void Application::Context::WaitForFrameLatency()
{
    ScopedHandle const FrameLatencyWaitableObject(m_SwapChain2->GetFrameLatencyWaitableObject());
    int64_t const Before = ReadPerformanceCounter();
    WaitForSingleObject(FrameLatencyWaitableObject.Get(), 1000);
    m_LastWait += ReadPerformanceCounter() - Before;
}

void Application::Context::DrawQuad(const DXGI_SWAP_CHAIN_DESC1& SwapChainDesc1)
{
    m_DeviceContext->OMSetRenderTargets(1, m_RenderTargetView.GetAddressOf(), nullptr);
    D3D11_VIEWPORT const Viewport { 0.0f, 0.0f, static_cast<float>(SwapChainDesc1.Width), static_cast<float>(SwapChainDesc1.Height), 0.0f, 1.0f };
    m_DeviceContext->RSSetViewports(1, &Viewport);
    m_DeviceContext->VSSetConstantBuffers(0, 1, m_ConstantBuffer.GetAddressOf());
    m_DeviceContext->VSSetShader(m_VertexShader.Get(), nullptr, 0);
    m_DeviceContext->PSSetConstantBuffers(0, 1, m_ConstantBuffer.GetAddressOf());
    m_DeviceContext->PSSetShader(m_PixelShader.Get(), nullptr, 0);
    m_DeviceContext->DrawIndexed(m_IndexCount, 0, 0);
}

HRESULT Application::Context::Present(const DXGI_SWAP_CHAIN_DESC1& SwapChainDesc1, BOOL FullscreenState)
{
    PresentParameters const Parameters = ChoosePresentParameters(m_Configuration.m_PresentSyncInterval, FullscreenState, SwapChainDesc1.Flags);
    int64_t const Before = ReadPerformanceCounter();
    m_LastPresentResult = m_SwapChain1->Present(Parameters.SyncInterval, Parameters.Flags);
    m_LastPresent += ReadPerformanceCounter() - Before;
    return m_LastPresentResult;
}

void Application::Context::ReleaseOverlayTextures()
{
    m_OverlayTexture.m_Texture.Reset();
    m_OverlayTexture.m_BufferTexture.Reset();
}

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

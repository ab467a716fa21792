#include "render/Context.h"

#include "diag/ConsoleOutput.h"
#include "render/ContextLines.h"
#include "render/Quad.h"
#include "render/ShaderResources.h"
#include "render/SwapChainDescription.h"
#include "render/Window.h"
#include "diag/Check.h"

#include <dxgi1_5.h>

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

#pragma once

#include "app/Application.h"
#include "render/OverlayTexture.h"
#include "render/Pipeline.h"
#include "render/SwapChain.h"

#include <d3d11_1.h>
#include <d3dcommon.h>
#include <dxgi1_3.h>
#include <wrl/client.h>

#include <cstdint>
#include <string>

// Every DXGI and Direct3D 11 object of a run: factory, adapter, output, device, the flip-model swap
// chain in the window, the drawing pipeline of the full-screen quad and the text overlay.
class Application::Context
{
public:
    // Builds everything for the configuration into Window and prints a line for the adapter, the
    // output, the swap chain and the full-screen mode.
    Context(const Configuration& Configuration, Window& Window);
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    // Draws and presents one frame at Time (100-nanosecond units since the run started); with Resize
    // the buffers are resized first.
    void Render(uint64_t Time, BOOL Resize);

    // Compiles entry point Entry of the embedded shader source ResourceIdentifier for Target.
    static Microsoft::WRL::ComPtr<ID3DBlob> CompileShader(WORD ResourceIdentifier, const char* Entry, const char* Target);
    // Uploads the matrices and Time (seconds) to the constant buffer.
    void UpdateConstantBuffer(float Time);

    const Configuration& m_Configuration;
    Window& m_Window;
    Microsoft::WRL::ComPtr<IDXGIFactory2> m_Factory2;
    BOOL m_AllowTearing = FALSE;
    Microsoft::WRL::ComPtr<IDXGIAdapter1> m_Adapter1;
    DXGI_ADAPTER_DESC1 m_AdapterDesc1 {};
    Microsoft::WRL::ComPtr<IDXGIOutput> m_Output;
    DXGI_OUTPUT_DESC m_OutputDesc {};
    Microsoft::WRL::ComPtr<ID3D11Device> m_Device;
    Microsoft::WRL::ComPtr<ID3D11Device1> m_Device1;
    D3D_FEATURE_LEVEL m_FeatureLevel {};
    Microsoft::WRL::ComPtr<ID3D11DeviceContext> m_DeviceContext;
    Microsoft::WRL::ComPtr<ID3D11DeviceContext1> m_DeviceContext1;
    Microsoft::WRL::ComPtr<IDXGISwapChain> m_SwapChain;
    Microsoft::WRL::ComPtr<IDXGISwapChain1> m_SwapChain1;
    Microsoft::WRL::ComPtr<IDXGISwapChain2> m_SwapChain2;
    WindowedOnRelease m_WindowedOnRelease { m_SwapChain };
    Microsoft::WRL::ComPtr<ID3D11RenderTargetView> m_RenderTargetView;
    Microsoft::WRL::ComPtr<ID3D11VertexShader> m_VertexShader;
    Microsoft::WRL::ComPtr<ID3D11InputLayout> m_VertexInputLayout;
    Microsoft::WRL::ComPtr<ID3D11PixelShader> m_PixelShader;
    Microsoft::WRL::ComPtr<ID3D11Buffer> m_VertexBuffer;
    UINT m_IndexCount = 0;
    Microsoft::WRL::ComPtr<ID3D11Buffer> m_IndexBuffer;
    Microsoft::WRL::ComPtr<ID3D11Buffer> m_ConstantBuffer;
    Float4x4 m_World {};
    Float4x4 m_View {};
    Float4x4 m_Projection {};
    ConstantBuffer m_ConstantBufferData {};
    OverlayTexture m_OverlayTexture;
    UINT m_PresentCount = 0;
    // What the last Render spent waiting on the frame-latency object and in its present calls, in
    // counts of the performance counter, and its last present's result.
    int64_t m_LastWait = 0;
    int64_t m_LastPresent = 0;
    HRESULT m_LastPresentResult = S_OK;

private:
    // Asks the factory whether tearing is supported, printing a warning when it is not.
    void QueryAllowTearing();
    // Places a window of the client size at the centre of the output.
    void CenterWindow(const RECT& ClientRect);
    // Binds the input layout, the quad's buffers and the topology, and sets the matrices.
    void BindQuad(float Width, float Height);
    // Waits up to a second for the swap chain's signal to start a frame.
    void WaitForFrameLatency();
    // Draws the quad into m_RenderTargetView over a viewport of the swap chain's size.
    void DrawQuad(const DXGI_SWAP_CHAIN_DESC1& SwapChainDesc1);
    // Presents with the sync interval and flags for the state.
    HRESULT Present(const DXGI_SWAP_CHAIN_DESC1& SwapChainDesc1, BOOL FullscreenState);
    // Lets go of the overlay's texture and held back buffer after the buffers were resized.
    void ReleaseOverlayTextures();
};

// The console lines that the context prints while it is built and while it presents.
std::wstring FormatAdapterLine(const DXGI_ADAPTER_DESC1& AdapterDesc1);
std::wstring FormatOutputLine(const DXGI_OUTPUT_DESC& OutputDesc);
std::string FormatSwapChainLine(const DXGI_SWAP_CHAIN_DESC1& SwapChainDesc1);
std::string FormatFullscreenModeLine(const DXGI_MODE_DESC& MatchModeDesc);
std::string FormatPresentFailureLine(HRESULT PresentResult);

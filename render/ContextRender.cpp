#include "render/Context.h"

#include "app/Ticks.h"
#include "diag/ConsoleOutput.h"
#include "render/ContextLines.h"
#include "render/PresentParameters.h"
#include "render/PresentPasses.h"
#include "diag/Check.h"

using Microsoft::WRL::ComPtr;

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

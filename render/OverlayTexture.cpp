#include "render/OverlayTexture.h"

#include "diag/Check.h"
#include "render/OverlayGeometry.h"
#include "render/OverlayText.h"
#include "render/OverlayTextureDesc.h"

#include <d2d1helper.h>

using Microsoft::WRL::ComPtr;

Application::OverlayTexture::~OverlayTexture() = default;

void Application::OverlayTexture::Initialize(ID3D11Texture2D* Buffer)
{
    D3D11_TEXTURE2D_DESC BufferDesc;
    Buffer->GetDesc(&BufferDesc);
    if(!m_Texture || !MatchesOverlayTexture(m_TextureDesc, BufferDesc))
    {
        ComPtr<ID3D11Device> Device;
        Buffer->GetDevice(Device.GetAddressOf());
        D3D11_TEXTURE2D_DESC const TextureDesc = OverlayTextureDesc(BufferDesc);
        CHECK_HRESULT(Device->CreateTexture2D(&TextureDesc, nullptr, m_Texture.ReleaseAndGetAddressOf()));
        m_TextureDesc = TextureDesc;
        ComPtr<IDXGISurface> DxgiSurface;
        CHECK_HRESULT(m_Texture.As(&DxgiSurface));
        if(!m_D2dFactory)
        {
            CHECK_HRESULT(D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, m_D2dFactory.GetAddressOf()));
            CHECK_HRESULT(DWriteCreateFactory(DWRITE_FACTORY_TYPE_ISOLATED, __uuidof(IDWriteFactory), (IUnknown**) m_DwFactory.GetAddressOf()));
        }
        m_DwTextFormatA.Reset();
        m_DwTextFormatB.Reset();
        m_D2dShadowBrush.Reset();
        m_D2dTextBrush.Reset();
        m_D2dRenderTarget.Reset();
        CHECK_HRESULT(m_D2dFactory->CreateDxgiSurfaceRenderTarget(DxgiSurface.Get(), D2D1::RenderTargetProperties(D2D1_RENDER_TARGET_TYPE_DEFAULT, D2D1::PixelFormat(TextureDesc.Format, D2D1_ALPHA_MODE_IGNORE)), m_D2dRenderTarget.GetAddressOf()));
        CHECK_HRESULT(m_D2dRenderTarget->CreateSolidColorBrush(D2D1::ColorF(D2D1::ColorF::Black, 0.60f), m_D2dShadowBrush.GetAddressOf()));
        CHECK_HRESULT(m_D2dRenderTarget->CreateSolidColorBrush(D2D1::ColorF(D2D1::ColorF::Khaki, 1.00f), m_D2dTextBrush.GetAddressOf()));
        CHECK_HRESULT(m_DwFactory->CreateTextFormat(L"Trebuchet MS", nullptr, DWRITE_FONT_WEIGHT_SEMI_BOLD, DWRITE_FONT_STYLE_NORMAL, DWRITE_FONT_STRETCH_NORMAL, TextureDesc.Height / 24.0f, L"", m_DwTextFormatA.GetAddressOf()));
        CHECK_HRESULT(m_DwTextFormatA->SetParagraphAlignment(DWRITE_PARAGRAPH_ALIGNMENT_NEAR));
        CHECK_HRESULT(m_DwTextFormatA->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_LEADING));
        CHECK_HRESULT(m_DwFactory->CreateTextFormat(L"Trebuchet MS", nullptr, DWRITE_FONT_WEIGHT_MEDIUM, DWRITE_FONT_STYLE_NORMAL, DWRITE_FONT_STRETCH_NORMAL, TextureDesc.Height / 36.0f, L"", m_DwTextFormatB.GetAddressOf()));
        CHECK_HRESULT(m_DwTextFormatB->SetParagraphAlignment(DWRITE_PARAGRAPH_ALIGNMENT_NEAR));
        CHECK_HRESULT(m_DwTextFormatB->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_LEADING));
        m_Device = Device;
        m_Device->GetImmediateContext(m_DeviceContext.ReleaseAndGetAddressOf());
    }
    if(m_BufferTexture.Get() != Buffer)
        m_BufferTexture = Buffer;
}

void Application::OverlayTexture::Copy()
{
    if(!m_BufferTexture || !m_Texture)
        return;
    std::wstring const TimeText = OverlayTimeText(m_FrameTime);
    std::wstring const IndexText = OverlayIndexText(m_FrameIndex, m_TextureDesc.Width, m_TextureDesc.Height, m_FrameRate);
    ComPtr<IDWriteTextLayout> TextLayoutA;
    CHECK_HRESULT(m_DwFactory->CreateTextLayout(TimeText.c_str(), static_cast<UINT32>(TimeText.size()), m_DwTextFormatA.Get(), static_cast<FLOAT>(m_TextureDesc.Width), static_cast<FLOAT>(m_TextureDesc.Height), TextLayoutA.GetAddressOf()));
    DWRITE_TEXT_METRICS TextMetricsA;
    CHECK_HRESULT(TextLayoutA->GetMetrics(&TextMetricsA));
    ComPtr<IDWriteTextLayout> TextLayoutB;
    CHECK_HRESULT(m_DwFactory->CreateTextLayout(IndexText.c_str(), static_cast<UINT32>(IndexText.size()), m_DwTextFormatB.Get(), static_cast<FLOAT>(m_TextureDesc.Width), static_cast<FLOAT>(m_TextureDesc.Height), TextLayoutB.GetAddressOf()));
    DWRITE_TEXT_METRICS TextMetricsB;
    CHECK_HRESULT(TextLayoutB->GetMetrics(&TextMetricsB));

    OverlayGeometry const Geometry = LayOutOverlay(TextMetricsA.height, TextMetricsA.width, TextMetricsB.height, TextMetricsB.width);
    // The target is not cleared: the box and the text go over the frame's picture. A failed EndDraw
    // (a lost target) only costs the text of this frame; the picture is copied all the same.
    m_D2dRenderTarget->BeginDraw();
    m_D2dRenderTarget->FillRectangle(Geometry.m_Box, m_D2dShadowBrush.Get());
    m_D2dRenderTarget->DrawTextLayout(Geometry.m_TimeOrigin, TextLayoutA.Get(), m_D2dTextBrush.Get(), D2D1_DRAW_TEXT_OPTIONS_NONE);
    m_D2dRenderTarget->DrawTextLayout(Geometry.m_IndexOrigin, TextLayoutB.Get(), m_D2dTextBrush.Get(), D2D1_DRAW_TEXT_OPTIONS_NONE);
    m_D2dRenderTarget->EndDraw();
    m_DeviceContext->CopyResource(m_BufferTexture.Get(), m_Texture.Get());
    m_BufferTexture.Reset();
}

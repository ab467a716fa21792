#include "render/OverlayTexture.h"

#include "common/Text.h"
#include "common/Ticks.h"
#include "diag/Check.h"

#include <d2d1helper.h>

#include <algorithm>

using Microsoft::WRL::ComPtr;

namespace
{
constexpr uint64_t g_SlotPeriod = static_cast<uint64_t>(g_TicksPerSecond / 2); // half a second
constexpr int32_t g_SlotCount = 4;
} // namespace

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

D3D11_TEXTURE2D_DESC OverlayTextureDesc(const D3D11_TEXTURE2D_DESC& BufferDesc)
{
    D3D11_TEXTURE2D_DESC TextureDesc {};
    TextureDesc.Width = BufferDesc.Width;
    TextureDesc.Height = BufferDesc.Height;
    TextureDesc.MipLevels = 1;
    TextureDesc.ArraySize = 1;
    TextureDesc.Format = BufferDesc.Format;
    TextureDesc.SampleDesc.Count = 1;
    TextureDesc.SampleDesc.Quality = 0;
    TextureDesc.Usage = D3D11_USAGE_DEFAULT;
    TextureDesc.BindFlags = D3D11_BIND_RENDER_TARGET | D3D11_BIND_SHADER_RESOURCE;
    TextureDesc.CPUAccessFlags = 0;
    TextureDesc.MiscFlags = 0;
    return TextureDesc;
}

bool MatchesOverlayTexture(const D3D11_TEXTURE2D_DESC& TextureDesc, const D3D11_TEXTURE2D_DESC& BufferDesc)
{
    return BufferDesc.Format == TextureDesc.Format && BufferDesc.Width == TextureDesc.Width && BufferDesc.Height == TextureDesc.Height;
}

std::wstring OverlayTimeText(uint64_t FrameTime)
{
    uint64_t const Milliseconds = FrameTime / 10000;
    uint64_t const Seconds = Milliseconds / 1000;
    uint64_t const Minutes = Milliseconds / 60000;
    uint64_t const Hours = Minutes / 60;
    // Even the largest time has fewer than 2^32 hours, so every figure fits the format's unsigned int.
    return FormatText(L"%02u.%02u.%02u:%03u", static_cast<unsigned int>(Hours), static_cast<unsigned int>(Minutes % 60),
        static_cast<unsigned int>(Seconds % 60), static_cast<unsigned int>(Milliseconds % 1000));
}

std::wstring OverlayIndexText(uint64_t FrameIndex, unsigned int Width, unsigned int Height, double FrameRate)
{
    return FormatText(L"#%06u - %ux%u - %.1f fps", static_cast<unsigned int>(FrameIndex % 1000000), Width, Height, FrameRate);
}

OverlayGeometry LayOutOverlay(float HeightA, float WidthA, float HeightB, float WidthB)
{
    float const X = HeightA * 2 / 3;
    float const TimeY = HeightA * 0.5f;
    float const IndexY = TimeY + HeightA;
    float const Margin = HeightA * 0.25f;
    OverlayGeometry Geometry;
    Geometry.m_TimeOrigin = D2D1::Point2F(X, TimeY);
    Geometry.m_IndexOrigin = D2D1::Point2F(X, IndexY);
    Geometry.m_Box = D2D1::RectF(X - Margin, TimeY - Margin, std::max(WidthB, WidthA) + X + Margin, IndexY + HeightB + Margin);
    return Geometry;
}

bool FrameRateSlots::CountFrame(uint64_t Elapsed, double& FrameRate) noexcept
{
    uint32_t const Slot = static_cast<uint32_t>(Elapsed / g_SlotPeriod);
    bool const Changed = Slot != m_CurrentSlot;
    if(Changed)
    {
        uint32_t const Count = m_Slots[0] + m_Slots[1] + m_Slots[2] + m_Slots[3];
        FrameRate = Count * g_TicksPerSecond / (g_SlotCount * g_SlotPeriod);
        Shift(static_cast<int32_t>(Slot - m_CurrentSlot));
        m_CurrentSlot = Slot;
    }
    m_Slots[0] += 1;
    return Changed;
}

void FrameRateSlots::Shift(int32_t Shift) noexcept
{
    if(Shift < 1)
        return;
    for(int32_t Index = g_SlotCount - 1; Index >= 0; --Index)
        m_Slots[Index] = Index >= Shift ? m_Slots[Index - Shift] : 0;
}

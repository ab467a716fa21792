#pragma once

#include "app/Application.h"

#include <d2d1.h>
#include <d3d11.h>
#include <dwrite.h>
#include <wrl/client.h>

#include <cstdint>

// The text overlay: an intermediate texture of the back buffer's size and format that receives the
// frame's picture, then a translucent box with the running time and the frame figures, and is copied
// into the back buffer before the present.
class Application::OverlayTexture
{
public:
    OverlayTexture() = default;
    OverlayTexture(const OverlayTexture&) = delete;
    OverlayTexture& operator=(const OverlayTexture&) = delete;
    ~OverlayTexture();

    // Keeps or makes m_Texture to match Buffer and holds Buffer until Copy.
    void Initialize(ID3D11Texture2D* Buffer);
    // Draws the text into m_Texture, copies it into the held back buffer and lets go of it.
    void Copy();

    Microsoft::WRL::ComPtr<ID3D11Device> m_Device;
    Microsoft::WRL::ComPtr<ID3D11DeviceContext> m_DeviceContext;
    Microsoft::WRL::ComPtr<ID3D11Texture2D> m_BufferTexture;
    D3D11_TEXTURE2D_DESC m_TextureDesc {};
    Microsoft::WRL::ComPtr<ID3D11Texture2D> m_Texture;
    Microsoft::WRL::ComPtr<ID2D1Factory> m_D2dFactory;
    Microsoft::WRL::ComPtr<ID2D1RenderTarget> m_D2dRenderTarget;
    Microsoft::WRL::ComPtr<ID2D1SolidColorBrush> m_D2dShadowBrush;
    Microsoft::WRL::ComPtr<ID2D1SolidColorBrush> m_D2dTextBrush;
    Microsoft::WRL::ComPtr<IDWriteFactory> m_DwFactory;
    Microsoft::WRL::ComPtr<IDWriteTextFormat> m_DwTextFormatA;
    Microsoft::WRL::ComPtr<IDWriteTextFormat> m_DwTextFormatB;
    uint64_t m_FrameIndex = 0;
    uint64_t m_FrameTime = 0;
    double m_FrameRate = 0.0;
};

#pragma once

#include "app/Application.h"

#include <d2d1.h>
#include <d3d11.h>
#include <dwrite.h>
#include <wrl/client.h>

#include <cstdint>
#include <string>

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

// What the overlay draws and where, worked out apart from Direct2D and Direct3D.

// The description of the overlay's intermediate texture for a back buffer: its size and format, one
// level, no multisampling, usable as render target and shader resource.
D3D11_TEXTURE2D_DESC OverlayTextureDesc(const D3D11_TEXTURE2D_DESC& BufferDesc);

// Whether a texture made with TextureDesc can stand in for a back buffer described by BufferDesc.
bool MatchesOverlayTexture(const D3D11_TEXTURE2D_DESC& TextureDesc, const D3D11_TEXTURE2D_DESC& BufferDesc);

// The overlay's time line, "hours.minutes.seconds:milliseconds", from a time in 100-nanosecond units.
// The hours do not wrap at 24.
std::wstring OverlayTimeText(uint64_t FrameTime);

// The overlay's frame line, "#frame - widthxheight - rate fps", with the frame number kept to its last
// six digits.
std::wstring OverlayIndexText(uint64_t FrameIndex, unsigned int Width, unsigned int Height, double FrameRate);

// Where the overlay's two lines and the box behind them go, from the measured size of the time line
// (A) and of the frame line (B): the lines start two thirds of the time line's height from the left,
// the time line half its height from the top and the frame line right below it; the box reaches a
// quarter of the time line's height beyond the text on every side and follows the wider line.
struct OverlayGeometry
{
    D2D1_POINT_2F m_TimeOrigin;
    D2D1_POINT_2F m_IndexOrigin;
    D2D1_RECT_F m_Box;
};

OverlayGeometry LayOutOverlay(float HeightA, float WidthA, float HeightB, float WidthB);

// Frames counted per half second over the last two seconds, for the overlay's frame rate.
// m_Slots[0] is the current half second, m_CurrentSlot its index since the loop started.
class FrameRateSlots
{
public:
    // Counts one frame at Elapsed (100-nanosecond units since the start). When a new half second has
    // begun, first sets FrameRate to the frames of the four slots per second and returns true.
    bool CountFrame(uint64_t Elapsed, double& FrameRate) noexcept;

    uint32_t m_Slots[4] {};
    uint32_t m_CurrentSlot = 0;

private:
    // Moves the counts Shift slots back, clearing the front ones; a Shift below 1 keeps them.
    void Shift(int32_t Shift) noexcept;
};

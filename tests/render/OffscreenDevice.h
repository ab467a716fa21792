#pragma once

#include <d3d11.h>
#include <wrl/client.h>

#include <cstdint>
#include <vector>

// A Direct3D 11 device made as the program makes it for the overlay (with BGRA support), and the
// few texture operations that the overlay tests need.
class OffscreenDevice
{
public:
    OffscreenDevice();

    // A swap chain's back buffer (render target and shader input): its description, and a texture.
    static D3D11_TEXTURE2D_DESC BufferDesc(UINT Width, UINT Height, DXGI_FORMAT Format = DXGI_FORMAT_B8G8R8A8_UNORM);
    Microsoft::WRL::ComPtr<ID3D11Texture2D> CreateBuffer(UINT Width, UINT Height) const;
    // Fills the texture with a colour given as 8-bit red, green and blue.
    void Fill(ID3D11Texture2D* Texture, uint8_t Red, uint8_t Green, uint8_t Blue) const;
    // The texture's pixels as rows of 8-bit red, green and blue.
    std::vector<uint8_t> ReadRgb(ID3D11Texture2D* Texture) const;

    Microsoft::WRL::ComPtr<ID3D11Device> m_Device;
    Microsoft::WRL::ComPtr<ID3D11DeviceContext> m_DeviceContext;
};

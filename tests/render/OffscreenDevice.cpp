#include "tests/render/OffscreenDevice.h"

#include "diag/Check.h"

using Microsoft::WRL::ComPtr;

OffscreenDevice::OffscreenDevice()
{
    CHECK_HRESULT(D3D11CreateDevice(nullptr, D3D_DRIVER_TYPE_HARDWARE, nullptr, D3D11_CREATE_DEVICE_BGRA_SUPPORT, nullptr, 0, D3D11_SDK_VERSION, m_Device.GetAddressOf(), nullptr, m_DeviceContext.GetAddressOf()));
}

D3D11_TEXTURE2D_DESC OffscreenDevice::BufferDesc(UINT Width, UINT Height, DXGI_FORMAT Format)
{
    D3D11_TEXTURE2D_DESC Desc {};
    Desc.Width = Width;
    Desc.Height = Height;
    Desc.MipLevels = 1;
    Desc.ArraySize = 1;
    Desc.Format = Format;
    Desc.SampleDesc.Count = 1;
    Desc.Usage = D3D11_USAGE_DEFAULT;
    Desc.BindFlags = D3D11_BIND_RENDER_TARGET | D3D11_BIND_SHADER_RESOURCE;
    return Desc;
}

ComPtr<ID3D11Texture2D> OffscreenDevice::CreateBuffer(UINT Width, UINT Height) const
{
    D3D11_TEXTURE2D_DESC const Desc = BufferDesc(Width, Height);
    ComPtr<ID3D11Texture2D> Texture;
    CHECK_HRESULT(m_Device->CreateTexture2D(&Desc, nullptr, Texture.GetAddressOf()));
    return Texture;
}

void OffscreenDevice::Fill(ID3D11Texture2D* Texture, uint8_t Red, uint8_t Green, uint8_t Blue) const
{
    ComPtr<ID3D11RenderTargetView> View;
    CHECK_HRESULT(m_Device->CreateRenderTargetView(Texture, nullptr, View.GetAddressOf()));
    float const Colour[4] { Red / 255.0f, Green / 255.0f, Blue / 255.0f, 1.0f };
    m_DeviceContext->ClearRenderTargetView(View.Get(), Colour);
}

std::vector<uint8_t> OffscreenDevice::ReadRgb(ID3D11Texture2D* Texture) const
{
    D3D11_TEXTURE2D_DESC Desc;
    Texture->GetDesc(&Desc);
    Desc.Usage = D3D11_USAGE_STAGING;
    Desc.BindFlags = 0;
    Desc.CPUAccessFlags = D3D11_CPU_ACCESS_READ;
    Desc.MiscFlags = 0;
    ComPtr<ID3D11Texture2D> Staging;
    CHECK_HRESULT(m_Device->CreateTexture2D(&Desc, nullptr, Staging.GetAddressOf()));
    m_DeviceContext->CopyResource(Staging.Get(), Texture);
    D3D11_MAPPED_SUBRESOURCE Mapped;
    CHECK_HRESULT(m_DeviceContext->Map(Staging.Get(), 0, D3D11_MAP_READ, 0, &Mapped));
    std::vector<uint8_t> Pixels;
    Pixels.reserve(static_cast<size_t>(Desc.Width) * Desc.Height * 3);
    for(UINT Row = 0; Row < Desc.Height; ++Row)
    {
        const uint8_t* Bgra = static_cast<const uint8_t*>(Mapped.pData) + static_cast<size_t>(Row) * Mapped.RowPitch;
        for(UINT Column = 0; Column < Desc.Width; ++Column, Bgra += 4)
            Pixels.insert(Pixels.end(), { Bgra[2], Bgra[1], Bgra[0] });
    }
    m_DeviceContext->Unmap(Staging.Get(), 0);
    return Pixels;
}

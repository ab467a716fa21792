#include "render/OverlayTextureDesc.h"

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

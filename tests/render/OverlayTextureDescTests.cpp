#include "render/OverlayTextureDesc.h"

#include <gtest/gtest.h>

namespace
{
D3D11_TEXTURE2D_DESC BackBufferDesc(UINT Width, UINT Height, DXGI_FORMAT Format)
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
    Desc.MiscFlags = 0x800;
    return Desc;
}
} // namespace

TEST(OverlayTextureDesc, MatchesOnSizeAndFormatOnly)
{
    D3D11_TEXTURE2D_DESC const BufferDesc = BackBufferDesc(1920, 1080, DXGI_FORMAT_B8G8R8A8_UNORM);
    D3D11_TEXTURE2D_DESC const TextureDesc = OverlayTextureDesc(BufferDesc);
    EXPECT_TRUE(MatchesOverlayTexture(TextureDesc, BufferDesc));
    EXPECT_FALSE(MatchesOverlayTexture(TextureDesc, BackBufferDesc(1921, 1080, DXGI_FORMAT_B8G8R8A8_UNORM)));
    EXPECT_FALSE(MatchesOverlayTexture(TextureDesc, BackBufferDesc(1920, 1081, DXGI_FORMAT_B8G8R8A8_UNORM)));
    EXPECT_FALSE(MatchesOverlayTexture(TextureDesc, BackBufferDesc(1920, 1080, DXGI_FORMAT_R8G8B8A8_UNORM)));
}

#include "render/OverlayTextureDesc.h"
#include "tests/render/OffscreenDevice.h"

#include <gtest/gtest.h>

namespace
{
// A swap chain's back buffer, with a misc flag that the match ignores.
D3D11_TEXTURE2D_DESC BackBufferDesc(UINT Width, UINT Height, DXGI_FORMAT Format)
{
    D3D11_TEXTURE2D_DESC Desc = OffscreenDevice::BufferDesc(Width, Height, Format);
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

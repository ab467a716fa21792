#include "render/OverlayTexture.h"
#include "tests/render/OffscreenDevice.h"

#include <gtest/gtest.h>

#include <vector>

using Microsoft::WRL::ComPtr;

namespace
{
// References to what the overlay made, so that nothing it lets go of can be freed and its address
// taken by a new object, which would pass for the old one. They are compared through Get(): mingw's
// ComPtr has no comparison operators, and == on two of them compares only whether each is set.
using Objects = std::vector<ComPtr<IUnknown>>;

Objects Made(const Application::OverlayTexture& Overlay)
{
    return { Overlay.m_Texture, Overlay.m_D2dRenderTarget, Overlay.m_D2dShadowBrush, Overlay.m_D2dTextBrush, Overlay.m_DwTextFormatA, Overlay.m_DwTextFormatB };
}

Objects Factories(const Application::OverlayTexture& Overlay)
{
    return { Overlay.m_D2dFactory, Overlay.m_DwFactory };
}

// Kept: each object is the one before; remade: each is set and another.
bool Compare(const Objects& Before, const Objects& After, bool Kept)
{
    for(size_t Index = 0; Index < Before.size(); ++Index)
        if(!After[Index] || (Before[Index].Get() == After[Index].Get()) != Kept)
            return false;
    return true;
}

bool SizedFor(const Application::OverlayTexture& Overlay, UINT Width, UINT Height)
{
    D3D11_TEXTURE2D_DESC Desc;
    Overlay.m_Texture->GetDesc(&Desc);
    return Desc.Width == Width && Desc.Height == Height && Overlay.m_TextureDesc.Width == Width && Overlay.m_TextureDesc.Height == Height;
}
} // namespace

// Offscreen textures made like back buffers stand for the swap chain's.
TEST(OverlayTexture, KeepsWhatABufferOfTheSameSizeCanUseRemakesTheRestAndLetsGoOfTheBuffer)
{
    OffscreenDevice Device;
    ComPtr<ID3D11Texture2D> const First = Device.CreateBuffer(1280, 720), Second = Device.CreateBuffer(1280, 720);
    ComPtr<ID3D11Texture2D> const Other = Device.CreateBuffer(1920, 1080);
    Application::OverlayTexture Overlay;
    Overlay.Initialize(First.Get());
    EXPECT_EQ(Overlay.m_BufferTexture.Get(), First.Get());
    EXPECT_TRUE(SizedFor(Overlay, 1280, 720));
    EXPECT_EQ(Overlay.m_Device.Get(), Device.m_Device.Get());
    EXPECT_EQ(Overlay.m_DeviceContext.Get(), Device.m_DeviceContext.Get());
    Overlay.Copy();
    EXPECT_FALSE(Overlay.m_BufferTexture);

    Objects const FirstBuild = Made(Overlay), FirstFactories = Factories(Overlay);
    Overlay.Initialize(Second.Get());
    Overlay.Initialize(Second.Get());
    EXPECT_EQ(Overlay.m_BufferTexture.Get(), Second.Get());
    EXPECT_TRUE(Compare(FirstBuild, Made(Overlay), true));
    Overlay.Copy();
    // A copy without a held buffer leaves the last one as it is.
    Device.Fill(Second.Get(), 255, 0, 255);
    Overlay.Copy();
    std::vector<uint8_t> const Pixels = Device.ReadRgb(Second.Get());
    EXPECT_EQ(std::vector<uint8_t>(Pixels.end() - 3, Pixels.end()), (std::vector<uint8_t> { 255, 0, 255 }));

    Overlay.Initialize(Other.Get());
    EXPECT_TRUE(Compare(FirstBuild, Made(Overlay), false));
    EXPECT_TRUE(SizedFor(Overlay, 1920, 1080));
    Overlay.Copy();
    Objects const OtherBuild = Made(Overlay);
    Overlay.m_Texture.Reset();
    Overlay.Initialize(Other.Get());
    EXPECT_TRUE(Compare(OtherBuild, Made(Overlay), false));
    EXPECT_TRUE(SizedFor(Overlay, 1920, 1080));
    EXPECT_TRUE(Compare(FirstFactories, Factories(Overlay), true));
}

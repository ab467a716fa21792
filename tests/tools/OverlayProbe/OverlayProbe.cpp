// Drives Application::OverlayTexture on an offscreen texture, the way a frame in overlay mode does,
// without a window or a swap chain:
//   OverlayProbe draw <width> <height> <frame> <time> <rate> <picture.ppm>
//     fills a back buffer with stale colour, the overlay texture with the frame's picture (one
//     colour), draws the overlay for the given frame number, time (100-ns units) and rate, and
//     writes the back buffer to a binary PPM;
//   OverlayProbe lifecycle <width> <height> <other width> <other height>
//     prints "<fact> <0|1>" lines about what the overlay keeps, rebuilds and releases.
#include "ProbeDevice.h"

#include "diag/ComException.h"
#include "diag/FormatText.h"
#include "render/OverlayTexture.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace
{
// The frame's picture and the colour that the back buffer holds before the copy.
constexpr uint8_t g_Picture[3] { 64, 128, 192 };
constexpr uint8_t g_Stale[3] { 255, 0, 255 };

void WritePpm(const char* Path, UINT Width, UINT Height, const std::vector<uint8_t>& Pixels)
{
    std::ofstream Stream(Path, std::ios::binary);
    Stream << "P6\n" << Width << " " << Height << "\n255\n";
    Stream.write(reinterpret_cast<const char*>(Pixels.data()), static_cast<std::streamsize>(Pixels.size()));
    if(!Stream.flush())
        throw ComException(E_FAIL, "The picture could not be written");
}

void Draw(UINT Width, UINT Height, uint64_t FrameIndex, uint64_t FrameTime, double FrameRate, const char* Path)
{
    ProbeDevice Device;
    ComPtr<ID3D11Texture2D> const Buffer = Device.CreateBuffer(Width, Height);
    Device.Fill(Buffer.Get(), g_Stale[0], g_Stale[1], g_Stale[2]);
    Application::OverlayTexture Overlay;
    Overlay.Initialize(Buffer.Get());
    Device.Fill(Overlay.m_Texture.Get(), g_Picture[0], g_Picture[1], g_Picture[2]);
    Overlay.m_FrameIndex = FrameIndex;
    Overlay.m_FrameTime = FrameTime;
    Overlay.m_FrameRate = FrameRate;
    Overlay.Copy();
    WritePpm(Path, Width, Height, Device.ReadRgb(Buffer.Get()));
    std::cout << "Drawn " << Width << "x" << Height << std::endl;
}

void Fact(const char* Name, bool Value)
{
    std::cout << Name << " " << (Value ? 1 : 0) << std::endl;
}

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

bool Coloured(const ProbeDevice& Device, ID3D11Texture2D* Texture, const uint8_t (&Colour)[3])
{
    std::vector<uint8_t> const Pixels = Device.ReadRgb(Texture);
    for(size_t Index = 0; Index < Pixels.size(); ++Index)
        if(Pixels[Index] != Colour[Index % 3])
            return false;
    return true;
}

void Lifecycle(UINT Width, UINT Height, UINT OtherWidth, UINT OtherHeight)
{
    ProbeDevice Device;
    ComPtr<ID3D11Texture2D> const First = Device.CreateBuffer(Width, Height);
    ComPtr<ID3D11Texture2D> const Second = Device.CreateBuffer(Width, Height);
    ComPtr<ID3D11Texture2D> const Other = Device.CreateBuffer(OtherWidth, OtherHeight);
    Application::OverlayTexture Overlay;

    Overlay.Initialize(First.Get());
    Fact("FirstBufferHeld", Overlay.m_BufferTexture.Get() == First.Get());
    Fact("SizedForFirstBuffer", SizedFor(Overlay, Width, Height));
    Fact("DeviceTaken", Overlay.m_Device.Get() == Device.m_Device.Get() && Overlay.m_DeviceContext.Get() == Device.m_DeviceContext.Get());
    Overlay.Copy();
    Fact("CopyReleasesBuffer", !Overlay.m_BufferTexture);

    Objects const FirstBuild = Made(Overlay), FirstFactories = Factories(Overlay);
    Overlay.Initialize(Second.Get());
    Fact("SecondBufferHeld", Overlay.m_BufferTexture.Get() == Second.Get());
    Fact("SameSizeKeepsEverything", Compare(FirstBuild, Made(Overlay), true));
    Overlay.Initialize(Second.Get());
    Fact("SameBufferStaysHeld", Overlay.m_BufferTexture.Get() == Second.Get());
    Overlay.Copy();

    Device.Fill(Second.Get(), g_Stale[0], g_Stale[1], g_Stale[2]);
    Overlay.Copy();
    Fact("CopyWithoutBufferLeavesIt", Coloured(Device, Second.Get(), g_Stale));

    Overlay.Initialize(Other.Get());
    Fact("OtherSizeRemakesTextureTargetBrushesFormats", Compare(FirstBuild, Made(Overlay), false));
    Fact("SizedForOtherBuffer", SizedFor(Overlay, OtherWidth, OtherHeight));
    Fact("OtherSizeKeepsFactories", Compare(FirstFactories, Factories(Overlay), true));
    Overlay.Copy();

    Objects const OtherBuild = Made(Overlay), OtherFactories = Factories(Overlay);
    Overlay.Initialize(Other.Get());
    Overlay.m_Texture.Reset();
    Overlay.m_BufferTexture.Reset();
    Overlay.Copy();
    Overlay.Initialize(Other.Get());
    Fact("ReleasedTextureIsRemade", Compare(OtherBuild, Made(Overlay), false) && SizedFor(Overlay, OtherWidth, OtherHeight));
    Fact("ReleasedTextureKeepsFactories", Compare(OtherFactories, Factories(Overlay), true));
}

bool Run(int Count, char** Values)
{
    if(Count == 8 && std::strcmp(Values[1], "draw") == 0)
    {
        Draw(std::strtoul(Values[2], nullptr, 10), std::strtoul(Values[3], nullptr, 10), std::strtoull(Values[4], nullptr, 10),
            std::strtoull(Values[5], nullptr, 10), std::strtod(Values[6], nullptr), Values[7]);
        return true;
    }
    if(Count == 6 && std::strcmp(Values[1], "lifecycle") == 0)
    {
        Lifecycle(std::strtoul(Values[2], nullptr, 10), std::strtoul(Values[3], nullptr, 10), std::strtoul(Values[4], nullptr, 10),
            std::strtoul(Values[5], nullptr, 10));
        return true;
    }
    return false;
}
} // namespace

int main(int Count, char** Values)
{
    try
    {
        if(Run(Count, Values))
            return 0;
        std::cout << "Syntax: OverlayProbe draw <width> <height> <frame> <time> <rate> <picture.ppm> | lifecycle <width> <height> <other width> <other height>" << std::endl;
    }
    catch(const ComException& Exception)
    {
        std::cout << FormatText("Exception: 0x%08X %hs", static_cast<unsigned int>(Exception.m_Result), Exception.what()) << std::endl;
    }
    return 1;
}

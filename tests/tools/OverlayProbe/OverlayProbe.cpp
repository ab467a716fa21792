// Drives Application::OverlayTexture on an offscreen texture, the way a frame in overlay mode does,
// without a window or a swap chain:
//   OverlayProbe draw <width> <height> <frame> <time> <rate> <picture.ppm>
//     fills a back buffer with stale colour, the overlay texture with the frame's picture (one
//     colour), draws the overlay for the given frame number, time (100-ns units) and rate, and
//     writes the back buffer to a binary PPM.
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

bool Run(int Count, char** Values)
{
    if(Count == 8 && std::strcmp(Values[1], "draw") == 0)
    {
        Draw(std::strtoul(Values[2], nullptr, 10), std::strtoul(Values[3], nullptr, 10), std::strtoull(Values[4], nullptr, 10),
            std::strtoull(Values[5], nullptr, 10), std::strtod(Values[6], nullptr), Values[7]);
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
        std::cout << "Syntax: OverlayProbe draw <width> <height> <frame> <time> <rate> <picture.ppm>" << std::endl;
    }
    catch(const ComException& Exception)
    {
        std::cout << FormatText("Exception: 0x%08X %hs", static_cast<unsigned int>(Exception.m_Result), Exception.what()) << std::endl;
    }
    return 1;
}

#include "render/OverlayTexture.h"
#include "tests/render/OffscreenDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
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

// The overlay drawn into an offscreen back buffer over a one-colour picture, where every pixel is known.
namespace
{
using Colour = std::array<int, 3>;

// The picture, that colour under the box (60 % black over it) and the text's colour.
constexpr Colour g_Picture { 64, 128, 192 };
constexpr Colour g_Shaded { 26, 51, 77 };
constexpr Colour g_Khaki { 240, 230, 140 };

// Whether every channel lies within Low - Tolerance and High + Tolerance.
bool Within(const Colour& Actual, const Colour& Low, const Colour& High, int Tolerance)
{
    for(size_t Index = 0; Index < Actual.size(); ++Index)
        if(Actual[Index] < Low[Index] - Tolerance || Actual[Index] > High[Index] + Tolerance)
            return false;
    return true;
}

// The back buffer after one overlay frame.
class Frame
{
public:
    Frame(UINT Width, UINT Height, uint64_t FrameIndex = 42, uint64_t FrameTime = 37234560000, double FrameRate = 59.94) : m_Width(Width)
    {
        OffscreenDevice Device;
        Microsoft::WRL::ComPtr<ID3D11Texture2D> const Buffer = Device.CreateBuffer(Width, Height);
        Device.Fill(Buffer.Get(), 255, 0, 255);
        Application::OverlayTexture Overlay;
        Overlay.Initialize(Buffer.Get());
        Device.Fill(Overlay.m_Texture.Get(), g_Picture[0], g_Picture[1], g_Picture[2]);
        Overlay.m_FrameIndex = FrameIndex;
        Overlay.m_FrameTime = FrameTime;
        Overlay.m_FrameRate = FrameRate;
        Overlay.Copy();
        m_Rgb = Device.ReadRgb(Buffer.Get());
    }

    Colour At(int X, int Y) const
    {
        const uint8_t* const Pixel = m_Rgb.data() + (static_cast<size_t>(Y) * m_Width + X) * 3;
        return { Pixel[0], Pixel[1], Pixel[2] };
    }

private:
    UINT m_Width;
    std::vector<uint8_t> m_Rgb;
};

// Inclusive bounds of the pixels of a 1280 x 720 area for which a test holds; Right is -1 for none.
struct Box
{
    int Left = 1280, Top = 720, Right = -1, Bottom = -1;
};

template <typename Test>
Box Bounds(Test Holds)
{
    Box Found;
    for(int Y = 0; Y < 720; ++Y)
        for(int X = 0; X < 1280; ++X)
            if(Holds(X, Y))
                Found = { std::min(Found.Left, X), std::min(Found.Top, Y), std::max(Found.Right, X), Y };
    return Found;
}

Box Overlay(const Frame& Drawn)
{
    return Bounds([&](int X, int Y) { return Drawn.At(X, Y) != g_Picture; });
}
} // namespace

TEST(OverlayDrawing, KhakiTextInABoxThatShadesTheTopLeftCorner)
{
    Frame const Drawn(1280, 720);
    Box const Shade = Overlay(Drawn);
    // A quarter of the time line's height from the top, two thirds minus a quarter of it from the
    // left; the stale back buffer is all gone.
    EXPECT_LT(Shade.Right, 640);
    EXPECT_LT(Shade.Bottom, 180);
    EXPECT_GT(Shade.Top, 2);
    EXPECT_NEAR(Shade.Left, Shade.Top * 5.0 / 3.0, 1.5);
    int Shaded = 0, Khaki = 0, OutOfPlace = 0;
    for(int Y = Shade.Top; Y <= Shade.Bottom; ++Y)
        for(int X = Shade.Left; X <= Shade.Right; ++X)
        {
            Colour const Pixel = Drawn.At(X, Y);
            bool const Text = Within(Pixel, g_Khaki, g_Khaki, 12);
            Shaded += Within(Pixel, g_Shaded, g_Shaded, 1);
            Khaki += Text;
            // Text keeps clear of the box's margin, a quarter of the time line's height; anti-aliased
            // edges lie between the shaded picture and khaki.
            bool const InMargin = X < Shade.Left + Shade.Top - 2 || X > Shade.Right - Shade.Top + 2 || Y < 2 * Shade.Top - 2
                || Y > Shade.Bottom - Shade.Top + 2;
            OutOfPlace += Text ? InMargin : !Within(Pixel, g_Shaded, g_Khaki, 2);
        }
    EXPECT_GT(Shaded, (Shade.Right - Shade.Left + 1) * (Shade.Bottom - Shade.Top + 1) * 0.6);
    EXPECT_GT(Khaki, 300);
    EXPECT_EQ(OutOfPlace, 0);
}

TEST(OverlayDrawing, TwoLinesOfTextSizedByTheFrameHeight)
{
    Box Shades[2];
    for(int Size : { 0, 1 })
    {
        int const Height = 720 + Size * 360;
        Frame const Drawn(Height * 16 / 9, Height);
        Box const& Shade = Shades[Size] = Overlay(Drawn);
        std::set<int> Rows;
        for(int Y = Shade.Top; Y <= Shade.Bottom; ++Y)
            for(int X = Shade.Left; X <= Shade.Right; ++X)
                if(Within(Drawn.At(X, Y), g_Khaki, g_Khaki, 12))
                    Rows.insert(Y);
        // The frame line starts one time line's height (four margins) below the time line, which
        // starts two margins from the top; a row between them is free of text.
        ASSERT_FALSE(Rows.empty());
        EXPECT_LT(*Rows.begin(), 6 * Shade.Top);
        EXPECT_GT(*Rows.rbegin(), 6 * Shade.Top);
        int TimeBottom = *Rows.begin();
        while(Rows.count(TimeBottom + 1))
            ++TimeBottom;
        EXPECT_LT(TimeBottom, *Rows.rbegin());
        // The time line's figures stand seven tenths of the font's size, a 24th of the frame height.
        EXPECT_NEAR((TimeBottom - *Rows.begin() + 1) / (Height / 24.0), 0.7, 0.08) << Height;
    }
    // At 1080 lines the box is half as large again, and wider still for the longer "1920x1080".
    EXPECT_NEAR(Shades[1].Left, Shades[0].Left * 1.5, 2.5);
    EXPECT_NEAR(Shades[1].Top, Shades[0].Top * 1.5, 2.5);
    EXPECT_NEAR(Shades[1].Bottom, Shades[0].Bottom * 1.5, 2.5);
    EXPECT_GT(Shades[1].Right, Shades[0].Right * 1.5);
}

// The figures read back by comparing frames: each redraws its own place in the box.
TEST(OverlayDrawing, EachFigureRedrawsItsOwnPlace)
{
    Frame const Usual(1280, 720);
    int const Margin = Overlay(Usual).Top;
    auto const Redrawn = [&](const Frame& Other) { return Bounds([&](int X, int Y) { return Other.At(X, Y) != Usual.At(X, Y); }); };
    Box const Time = Redrawn(Frame(1280, 720, 42, 37234560000 + 10000));
    // "#000043 - 1280x720 - 59.9 fps": the number, then the size, then the rate, on the frame line.
    Box const Figures[] { Redrawn(Frame(1280, 720, 43)), Redrawn(Frame(1290, 720)), Redrawn(Frame(1280, 720, 42, 37234560000, 59.96)) };
    EXPECT_GE(Time.Right, 0);
    EXPECT_LT(Time.Bottom, 6 * Margin);
    for(const Box& Figure : Figures)
    {
        EXPECT_GE(Figure.Right, 0);
        EXPECT_GT(Figure.Top, 6 * Margin);
    }
    EXPECT_GT(Figures[1].Left, Figures[0].Left + Margin);
    EXPECT_GT(Figures[2].Left, Figures[1].Left + Margin);
}

namespace
{
constexpr uint64_t g_Millisecond = 10000;
constexpr uint64_t g_Hour = 3600 * 1000 * g_Millisecond;
} // namespace

TEST(OverlayText, TimeLineShowsWholeMillisecondsAndHoursThatDoNotWrap)
{
    EXPECT_EQ(OverlayTimeText(37234560000ull), L"01.02.03:456");
    EXPECT_EQ(OverlayTimeText(g_Millisecond - 1), L"00.00.00:000");
    EXPECT_EQ(OverlayTimeText(g_Millisecond), L"00.00.00:001");
    EXPECT_EQ(OverlayTimeText(g_Hour - 1), L"00.59.59:999");
    EXPECT_EQ(OverlayTimeText(100 * g_Hour), L"100.00.00:000");
    EXPECT_EQ(OverlayTimeText(UINT64_MAX), L"512409557.36.10:955");
}

TEST(OverlayText, FrameLineShowsTheLastSixDigitsOfTheNumberSizeAndRate)
{
    EXPECT_EQ(OverlayIndexText(42, 1920, 1080, 59.94), L"#000042 - 1920x1080 - 59.9 fps");
    EXPECT_EQ(OverlayIndexText(999999, 3840, 2160, 143.96), L"#999999 - 3840x2160 - 144.0 fps");
    EXPECT_EQ(OverlayIndexText(1234567, 640, 360, 0.0), L"#234567 - 640x360 - 0.0 fps");
    EXPECT_EQ(OverlayIndexText(0x100000000ull + 5, 1920, 1080, 0.0), L"#967301 - 1920x1080 - 0.0 fps");
}

namespace
{
constexpr uint64_t g_HalfSecond = 5000000;

// Counts Count frames in half second Slot; the rate that the first of them set, or -1.
double CountFrames(FrameRateSlots& Slots, uint64_t Slot, int Count)
{
    double Rate = -1.0;
    for(int Index = 0; Index < Count; ++Index)
    {
        double Set = -1.0;
        if(Slots.CountFrame(Slot * g_HalfSecond, Set))
            Rate = Set;
    }
    return Rate;
}

std::vector<uint32_t> Counts(const FrameRateSlots& Slots)
{
    return { std::begin(Slots.m_Slots), std::end(Slots.m_Slots) };
}
} // namespace

TEST(FrameRateSlots, RateIsTheFourSlotsPerSecondFromTheFirstChangeOn)
{
    FrameRateSlots Slots;
    EXPECT_EQ(CountFrames(Slots, 0, 30), -1.0);
    // The first change sees only the first half second: 30 frames in two seconds.
    EXPECT_DOUBLE_EQ(CountFrames(Slots, 1, 20), 15.0);
    CountFrames(Slots, 2, 10);
    CountFrames(Slots, 3, 40);
    EXPECT_DOUBLE_EQ(CountFrames(Slots, 4, 1), 50.0);
    EXPECT_EQ(Slots.m_CurrentSlot, 4u);
    EXPECT_EQ(Counts(Slots), (std::vector<uint32_t> { 1, 40, 10, 20 }));
}

TEST(FrameRateSlots, SkippedHalfSecondsDropTheirCounts)
{
    FrameRateSlots Slots;
    CountFrames(Slots, 0, 1);
    CountFrames(Slots, 1, 2);
    CountFrames(Slots, 2, 3);
    EXPECT_DOUBLE_EQ(CountFrames(Slots, 4, 1), 3.0);
    EXPECT_EQ(Counts(Slots), (std::vector<uint32_t> { 1, 0, 3, 2 }));
    // A stall longer than two seconds clears every slot.
    EXPECT_DOUBLE_EQ(CountFrames(Slots, 20, 1), 3.0);
    EXPECT_EQ(Counts(Slots), (std::vector<uint32_t> { 1, 0, 0, 0 }));
    EXPECT_DOUBLE_EQ(CountFrames(Slots, 21, 1), 0.5);
}

TEST(FrameRateSlots, ClockSetBackKeepsCountsAndTheSlotWrapsAtThirtyTwoBits)
{
    FrameRateSlots Slots;
    CountFrames(Slots, 0, 2);
    CountFrames(Slots, 3, 4);
    EXPECT_DOUBLE_EQ(CountFrames(Slots, 1, 1), 3.0);
    EXPECT_EQ(Slots.m_CurrentSlot, 1u);
    EXPECT_EQ(Counts(Slots), (std::vector<uint32_t> { 5, 0, 0, 2 }));

    FrameRateSlots Wrapped;
    EXPECT_EQ(CountFrames(Wrapped, uint64_t(1) << 32, 1), -1.0);
    EXPECT_EQ(Counts(Wrapped), (std::vector<uint32_t> { 1, 0, 0, 0 }));
}

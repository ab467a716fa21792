#include "render/OverlayTexture.h"
#include "tests/render/OffscreenDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>

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

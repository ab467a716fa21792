#include "render/OverlayText.h"

#include "diag/FormatText.h"

#include <algorithm>

std::wstring OverlayTimeText(uint64_t FrameTime)
{
    uint64_t const Milliseconds = FrameTime / 10000;
    uint64_t const Seconds = Milliseconds / 1000;
    uint64_t const Minutes = Milliseconds / 60000;
    uint64_t const Hours = Minutes / 60;
    return FormatText(L"%02u.%02u.%02u:%03u", static_cast<unsigned int>(Hours), static_cast<unsigned int>(Minutes % 60),
        static_cast<unsigned int>(Seconds % 60), static_cast<unsigned int>(Milliseconds % 1000));
}

std::wstring OverlayIndexText(uint64_t FrameIndex, unsigned int Width, unsigned int Height, double FrameRate)
{
    return FormatText(L"#%06u - %ux%u - %.1f fps", static_cast<unsigned int>(FrameIndex % 1000000), Width, Height, FrameRate);
}

OverlayGeometry LayOutOverlay(float HeightA, float WidthA, float HeightB, float WidthB)
{
    float const X = HeightA * 2 / 3;
    float const TimeY = HeightA * 0.5f;
    float const IndexY = TimeY + HeightA;
    float const Margin = HeightA * 0.25f;
    OverlayGeometry Geometry;
    Geometry.m_TimeOrigin = D2D1::Point2F(X, TimeY);
    Geometry.m_IndexOrigin = D2D1::Point2F(X, IndexY);
    Geometry.m_Box = D2D1::RectF(X - Margin, TimeY - Margin, std::max(WidthB, WidthA) + X + Margin, IndexY + HeightB + Margin);
    return Geometry;
}

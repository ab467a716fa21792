#pragma once

#include <d2d1.h>

#include <cstdint>
#include <string>

// The running time as "hours.minutes.seconds:milliseconds"; the hours do not wrap.
std::wstring OverlayTimeText(uint64_t FrameTime);
// "#frame - widthxheight - rate fps" with the frame number kept to six digits.
std::wstring OverlayIndexText(uint64_t FrameIndex, unsigned int Width, unsigned int Height, double FrameRate);

// Where the two lines and their box go, from the two layouts' metrics.
struct OverlayGeometry
{
    D2D1_POINT_2F m_TimeOrigin;
    D2D1_POINT_2F m_IndexOrigin;
    D2D1_RECT_F m_Box;
};

OverlayGeometry LayOutOverlay(float HeightA, float WidthA, float HeightB, float WidthB);

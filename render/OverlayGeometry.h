#pragma once

#include <d2d1.h>

// Where the overlay's two lines and the box behind them go, from the measured size of the time line
// (A) and of the frame line (B): the lines start two thirds of the time line's height from the left,
// the time line half its height from the top and the frame line right below it; the box reaches a
// quarter of the time line's height beyond the text on every side and follows the wider line.
struct OverlayGeometry
{
    D2D1_POINT_2F m_TimeOrigin;
    D2D1_POINT_2F m_IndexOrigin;
    D2D1_RECT_F m_Box;
};

OverlayGeometry LayOutOverlay(float HeightA, float WidthA, float HeightB, float WidthB);

#include "render/OverlayGeometry.h"

#include <d2d1helper.h>

#include <algorithm>

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

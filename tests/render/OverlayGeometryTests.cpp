#include "render/OverlayGeometry.h"

#include <gtest/gtest.h>

// Metrics chosen so that every figure is exact in single precision.
TEST(OverlayGeometry, LinesStartTwoThirdsOfTheTimeLineHeightInAndTheBoxReachesAQuarterBeyond)
{
    OverlayGeometry const Geometry = LayOutOverlay(48.0f, 200.0f, 32.0f, 300.0f);
    EXPECT_EQ(Geometry.m_TimeOrigin.x, 32.0f);
    EXPECT_EQ(Geometry.m_TimeOrigin.y, 24.0f);
    EXPECT_EQ(Geometry.m_IndexOrigin.x, 32.0f);
    EXPECT_EQ(Geometry.m_IndexOrigin.y, 72.0f);
    EXPECT_EQ(Geometry.m_Box.left, 20.0f);
    EXPECT_EQ(Geometry.m_Box.top, 12.0f);
    EXPECT_EQ(Geometry.m_Box.right, 344.0f);
    EXPECT_EQ(Geometry.m_Box.bottom, 116.0f);
    // The box follows the wider line; the frame line's height only moves its bottom.
    EXPECT_EQ(LayOutOverlay(48.0f, 400.0f, 32.0f, 300.0f).m_Box.right, 444.0f);
    EXPECT_EQ(LayOutOverlay(48.0f, 200.0f, 52.0f, 300.0f).m_Box.bottom, 136.0f);
    EXPECT_EQ(LayOutOverlay(48.0f, 200.0f, 52.0f, 300.0f).m_IndexOrigin.y, 72.0f);
}

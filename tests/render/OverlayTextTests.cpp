#include "render/OverlayText.h"

#include <gtest/gtest.h>

TEST(OverlayText, TimeLine)
{
    EXPECT_EQ(OverlayTimeText(37234560000ull), L"01.02.03:456");
    EXPECT_EQ(OverlayTimeText(100ull * 3600 * 10000000), L"100.00.00:000");
    EXPECT_EQ(OverlayTimeText(0), L"00.00.00:000");
    EXPECT_EQ(OverlayTimeText(599999999ull), L"00.00.59:999");
}

TEST(OverlayText, FrameLine)
{
    EXPECT_EQ(OverlayIndexText(42, 1920, 1080, 59.94), L"#000042 - 1920x1080 - 59.9 fps");
    EXPECT_EQ(OverlayIndexText(1234567, 640, 360, 0.0), L"#234567 - 640x360 - 0.0 fps");
}

TEST(OverlayText, BoxFollowsTheWiderLine)
{
    OverlayGeometry const Geometry = LayOutOverlay(48.0f, 200.0f, 32.0f, 300.0f);
    EXPECT_FLOAT_EQ(Geometry.m_TimeOrigin.x, 32.0f);
    EXPECT_FLOAT_EQ(Geometry.m_TimeOrigin.y, 24.0f);
    EXPECT_FLOAT_EQ(Geometry.m_IndexOrigin.x, 32.0f);
    EXPECT_FLOAT_EQ(Geometry.m_IndexOrigin.y, 72.0f);
    EXPECT_FLOAT_EQ(Geometry.m_Box.left, 20.0f);
    EXPECT_FLOAT_EQ(Geometry.m_Box.top, 12.0f);
    EXPECT_FLOAT_EQ(Geometry.m_Box.right, 344.0f);
    EXPECT_FLOAT_EQ(Geometry.m_Box.bottom, 116.0f);
    EXPECT_FLOAT_EQ(LayOutOverlay(48.0f, 400.0f, 32.0f, 300.0f).m_Box.right, 444.0f);
}

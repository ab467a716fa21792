#include "render/OverlayText.h"

#include <gtest/gtest.h>

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

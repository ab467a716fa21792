#pragma once

#include <cstdint>
#include <string>

// The overlay's time line, "hours.minutes.seconds:milliseconds", from a time in 100-nanosecond units.
// The hours do not wrap at 24.
std::wstring OverlayTimeText(uint64_t FrameTime);

// The overlay's frame line, "#frame - widthxheight - rate fps", with the frame number kept to its last
// six digits.
std::wstring OverlayIndexText(uint64_t FrameIndex, unsigned int Width, unsigned int Height, double FrameRate);

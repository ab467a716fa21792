#include "render/OverlayText.h"

#include "diag/FormatText.h"

std::wstring OverlayTimeText(uint64_t FrameTime)
{
    uint64_t const Milliseconds = FrameTime / 10000;
    uint64_t const Seconds = Milliseconds / 1000;
    uint64_t const Minutes = Milliseconds / 60000;
    uint64_t const Hours = Minutes / 60;
    // Even the largest time has fewer than 2^32 hours, so every figure fits the format's unsigned int.
    return FormatText(L"%02u.%02u.%02u:%03u", static_cast<unsigned int>(Hours), static_cast<unsigned int>(Minutes % 60),
        static_cast<unsigned int>(Seconds % 60), static_cast<unsigned int>(Milliseconds % 1000));
}

std::wstring OverlayIndexText(uint64_t FrameIndex, unsigned int Width, unsigned int Height, double FrameRate)
{
    return FormatText(L"#%06u - %ux%u - %.1f fps", static_cast<unsigned int>(FrameIndex % 1000000), Width, Height, FrameRate);
}

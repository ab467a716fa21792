#include "app/Syntax.h"

#include "diag/ConsoleOutput.h"

namespace
{
const char* const g_SyntaxLines[] = {
    "Syntax: Lumivex [options]",
    "",
    "Options: ",
    "  -DisableDebugOutput - Disable forward of debug output to console output in debug mode (should appear before -Debug)",
    "  -Debug[:<Normal|Full|<Value>>] - Enable self-debugging capability with specific minidump type",
    "  -EnumerateAdapters - Enumerate DXGI adapters and exit",
    "  -AdapterIndex <index> - Specify DXGI adapter index (default is 0)",
    "  -OutputIndex <index> - Specify DXGI output index (default is 0)",
    "  -Resolution <width> <height> - Specify resolution of generated video (default is 1920 x 1080)",
    "  -Format <format> - Specify DXGI format (b8g8r8a8, r8g8b8a8, r10g10b10a2, r16g16b16a16; default is b8g8r8a8)",
    "  -AllowModeSwitch <mode> - Specify \"allow mode switch\" mode (0 Default, 1 Automatic, 2 Disable, 3 Enable; default is 0)",
    "  -WaitableObject <mode> - Specify \"waitiable object\" mode (0 Default, 1 Automatic, 2 Disable, 3 Enable; default is 0)",
    "  -AllowTearing <mode> - Specify \"allow tearing\" mode (0 Default, 1 Automatic, 2 Disable, 3 Enable; default is 0)",
    "  -SwapChainBufferCount <count> - Specify DXGI swapchain buffer count (default is 2)",
    "  -Fullscreen - Start in full screen mode (otherwise use Alt+Enter to switch)",
    "  -Rate <numerator> <denominator> - Specify frame rate for fullscreen mode (default is 144 Hz)",
    "  -ShaderIndex <index> - Specify embedded resource shader index (0..3; default is 0)",
    "  -OverlayMode <mode> - Specify overlay mode, non-zero overlaying requires b8g8r8a8 format (0..1; default is 0)",
    "  -PresentSyncInterval <interval> - Use specific presentation synchronization interval (default is auto-selection)",
    "  -FrameTimes <path> - Write a CSV row per frame: its start, interval, wait and present times in milliseconds and its present result",
};
} // namespace

void PrintSyntax()
{
    for(const char* Line : g_SyntaxLines)
        PrintLine(Line);
}

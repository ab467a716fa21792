#include "app/Program.h"

#include "diag/ConsoleOutput.h"
#include "diag/ThrownTypes.h"

#include <shlwapi.h>

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

constexpr uint32_t g_ThreadNamingCode = 0x406D1388;
// Wine tells the debugger of the unwinding phase of every GCC throw, which was reported when it was thrown.
constexpr uint32_t g_GccUnwindCode = 0x21474343;

bool IsComError(const std::string& Type) noexcept
{
    return Type == g_ComErrorType;
}

bool HasFileName(const std::wstring& Module, const wchar_t* FileName) noexcept
{
    return _wcsicmp(PathFindFileNameW(Module.c_str()), FileName) == 0;
}
} // namespace

ProgramMode FindProgramMode(const Arguments& Arguments)
{
    for(const std::wstring& Argument : Arguments)
    {
        std::wstring Name, Value;
        if(!ParseOption(Argument, Name, Value))
            continue;
        if(_wcsicmp(Name.c_str(), L"Syntax") == 0 || _wcsicmp(Name.c_str(), L"?") == 0)
            return ProgramMode::Syntax;
        if(_wcsicmp(Name.c_str(), L"EnumerateAdapters") == 0 || _wcsicmp(Name.c_str(), L"ea") == 0)
            return ProgramMode::EnumerateAdapters;
    }
    return ProgramMode::Run;
}

void PrintSyntax()
{
    for(const char* Line : g_SyntaxLines)
        PrintLine(Line);
}

void OutputDebugText(const wchar_t* Text)
{
    PrintLine(Text);
}

int FilterDebugException(const ParentProcessDebug::ExceptionData& Data)
{
    if(Data.m_Module.empty() && Data.m_Type.empty() && (Data.m_Value == g_ThreadNamingCode || Data.m_Value == g_GccUnwindCode))
        return 0;
    if(HasFileName(Data.m_Module, L"D3DSCache.dll") && IsComError(Data.m_Type)
        && (Data.m_Value == static_cast<uint32_t>(E_FAIL) || Data.m_Value == static_cast<uint32_t>(DXGI_ERROR_CACHE_CORRUPT)))
        return 0;
    if(!HasFileName(Data.m_Module, L"d3d11.dll"))
        return 1;
    if(IsComError(Data.m_Type) && (Data.m_Value == static_cast<uint32_t>(E_INVALIDARG) || Data.m_Value == static_cast<uint32_t>(DXGI_ERROR_DEVICE_REMOVED)))
        return 0;
    return 1;
}

void ConfigureParentProcessDebug(ParentProcessDebug& Debug)
{
    Debug.m_OutputHandler = OutputDebugText;
    Debug.m_ExceptionFilter = FilterDebugException;
}

#include "app/DebugCallbacks.h"

#include "diag/ConsoleOutput.h"
#include "diag/ThrownTypes.h"

#include <shlwapi.h>

namespace
{
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

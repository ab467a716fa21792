#include "app/Application.h"

#include "common/Text.h"
#include "diag/Check.h"
#include "diag/ConsoleOutput.h"

namespace
{
// The pixel formats that -Format accepts, by full and short name.
struct FormatTableEntry
{
    DXGI_FORMAT Value;
    const wchar_t* Name;
    const wchar_t* ShortName;
};

const FormatTableEntry g_FormatTable[] = {
    { DXGI_FORMAT_B8G8R8A8_UNORM, L"DXGI_FORMAT_B8G8R8A8_UNORM", L"b8g8r8a8" },
    { DXGI_FORMAT_R8G8B8A8_UNORM, L"DXGI_FORMAT_R8G8B8A8_UNORM", L"r8g8b8a8" },
    { DXGI_FORMAT_R10G10B10A2_UNORM, L"DXGI_FORMAT_R10G10B10A2_UNORM", L"r10g10b10a2" },
    { DXGI_FORMAT_R16G16B16A16_FLOAT, L"DXGI_FORMAT_R16G16B16A16_FLOAT", L"r16g16b16a16" },
};

// The format whose name or short name is Text (case-insensitive); DXGI_FORMAT_UNKNOWN when none.
DXGI_FORMAT FindFormat(const wchar_t* Text)
{
    for(const FormatTableEntry& Entry : g_FormatTable)
        if(_wcsicmp(Text, Entry.Name) == 0 || _wcsicmp(Text, Entry.ShortName) == 0)
            return Entry.Value;
    return DXGI_FORMAT_UNKNOWN;
}

enum class Option
{
    DisableDebugOutput,
    Debug,
    AdapterIndex,
    OutputIndex,
    Resolution,
    Format,
    AllowModeSwitch,
    WaitableObject,
    AllowTearing,
    SwapChainBufferCount,
    Fullscreen,
    Rate,
    ShaderIndex,
    OverlayMode,
    PresentSyncInterval,
    FrameTimes,
    Unknown,
};

struct OptionTableEntry
{
    const wchar_t* Name;
    const wchar_t* Alias;
    Option Option;
};

const OptionTableEntry g_OptionTable[] = {
    { L"DisableDebugOutput", nullptr, Option::DisableDebugOutput },
    { L"Debug", nullptr, Option::Debug },
    { L"AdapterIndex", L"ai", Option::AdapterIndex },
    { L"OutputIndex", L"oi", Option::OutputIndex },
    { L"Resolution", L"re", Option::Resolution },
    { L"Format", L"fo", Option::Format },
    { L"AllowModeSwitch", L"ams", Option::AllowModeSwitch },
    { L"WaitableObject", L"wo", Option::WaitableObject },
    { L"AllowTearing", L"at", Option::AllowTearing },
    { L"SwapChainBufferCount", L"bc", Option::SwapChainBufferCount },
    { L"Fullscreen", L"fs", Option::Fullscreen },
    { L"Rate", L"ra", Option::Rate },
    { L"ShaderIndex", L"si", Option::ShaderIndex },
    { L"OverlayMode", L"om", Option::OverlayMode },
    { L"PresentSyncInterval", L"psi", Option::PresentSyncInterval },
    { L"FrameTimes", L"ft", Option::FrameTimes },
};

Option FindOption(const std::wstring& Name)
{
    for(const OptionTableEntry& Entry : g_OptionTable)
        if(_wcsicmp(Name.c_str(), Entry.Name) == 0 || (Entry.Alias && _wcsicmp(Name.c_str(), Entry.Alias) == 0))
            return Entry.Option;
    return Option::Unknown;
}

template <typename Field>
void Store(Field& Value, const std::wstring& Text)
{
    Value = static_cast<Field>(_wtoi(Text.c_str()));
}
} // namespace

Application::Application(const ::Arguments& Arguments)
{
    size_t Index = 1;
    std::wstring Value;
    while(Index < Arguments.size())
    {
        const std::wstring& Argument = Arguments[Index++];
        std::wstring Name, OptionValue;
        if(!ParseOption(Argument, Name, OptionValue))
        {
            PrintLine(FormatText(L"Warning, command line argument not recognized: %ls", Argument.c_str()));
            continue;
        }
        switch(FindOption(Name))
        {
        case Option::DisableDebugOutput:
        case Option::Debug:
            break;
        case Option::AdapterIndex:
            CHECK_CONDITION(Arguments.Next(Index, Value), E_INVALIDARG);
            Store(m_Configuration.m_AdapterIndex, Value);
            break;
        case Option::OutputIndex:
            CHECK_CONDITION(Arguments.Next(Index, Value), E_INVALIDARG);
            Store(m_Configuration.m_OutputIndex, Value);
            break;
        case Option::Resolution:
            CHECK_CONDITION(Arguments.Next(Index, Value), E_INVALIDARG);
            Store(m_Configuration.m_FrameSizeW, Value);
            CHECK_CONDITION(Arguments.Next(Index, Value), E_INVALIDARG);
            Store(m_Configuration.m_FrameSizeH, Value);
            CHECK_CONDITION(m_Configuration.m_FrameSizeW > 0 && m_Configuration.m_FrameSizeH > 0, E_INVALIDARG);
            break;
        case Option::Format:
            CHECK_CONDITION(Arguments.Next(Index, Value), E_INVALIDARG);
            m_Configuration.m_Format = FindFormat(Value.c_str());
            CHECK_CONDITION(m_Configuration.m_Format != DXGI_FORMAT_UNKNOWN, E_INVALIDARG);
            break;
        case Option::AllowModeSwitch:
            CHECK_CONDITION(Arguments.Next(Index, Value), E_INVALIDARG);
            Store(m_Configuration.m_AllowModeSwitchMode, Value);
            break;
        case Option::WaitableObject:
            CHECK_CONDITION(Arguments.Next(Index, Value), E_INVALIDARG);
            Store(m_Configuration.m_WaitiableObjectMode, Value);
            break;
        case Option::AllowTearing:
            CHECK_CONDITION(Arguments.Next(Index, Value), E_INVALIDARG);
            Store(m_Configuration.m_AllowTearingMode, Value);
            break;
        case Option::SwapChainBufferCount:
            CHECK_CONDITION(Arguments.Next(Index, Value), E_INVALIDARG);
            Store(m_Configuration.m_SwapChainBufferCount, Value);
            break;
        case Option::Fullscreen:
            m_Configuration.m_FullscreenMode = TRUE;
            break;
        case Option::Rate:
            CHECK_CONDITION(Arguments.Next(Index, Value), E_INVALIDARG);
            Store(m_Configuration.m_FrameRateN, Value);
            CHECK_CONDITION(Arguments.Next(Index, Value), E_INVALIDARG);
            Store(m_Configuration.m_FrameRateD, Value);
            CHECK_CONDITION(m_Configuration.m_FrameRateN > 0 && m_Configuration.m_FrameRateD > 0, E_INVALIDARG);
            break;
        case Option::ShaderIndex:
            CHECK_CONDITION(Arguments.Next(Index, Value), E_INVALIDARG);
            Store(m_Configuration.m_ShaderIndex, Value);
            CHECK_CONDITION(m_Configuration.m_ShaderIndex >= 0 && m_Configuration.m_ShaderIndex <= 3, E_INVALIDARG, "ShaderIndex argument is out of 0..3 range");
            break;
        case Option::OverlayMode:
            CHECK_CONDITION(Arguments.Next(Index, Value), E_INVALIDARG);
            Store(m_Configuration.m_OverlayMode, Value);
            CHECK_CONDITION(m_Configuration.m_OverlayMode >= 0 && m_Configuration.m_OverlayMode <= 1, E_INVALIDARG, "OverlayMode argument is out of 0..1 range");
            break;
        case Option::PresentSyncInterval:
            CHECK_CONDITION(Arguments.Next(Index, Value), E_INVALIDARG);
            Store(m_Configuration.m_PresentSyncInterval, Value);
            break;
        case Option::FrameTimes:
            CHECK_CONDITION(Arguments.Next(Index, Value) && !Value.empty(), E_INVALIDARG, "FrameTimes argument is not a file path");
            m_Configuration.m_FrameTimesPath = Value;
            break;
        case Option::Unknown:
            PrintLine(FormatText(L"Warning, command line option argument not recognized: %ls", Name.c_str()));
            break;
        }
    }
}

void Application::Configuration::Validate() const
{
    CHECK_CONDITION(m_OverlayMode == 0 || m_Format == DXGI_FORMAT_B8G8R8A8_UNORM, E_INVALIDARG, "Non-zero overlay mode requires DXGI_FORMAT_B8G8R8A8_UNORM format");
    CHECK_CONDITION(m_WaitiableObjectMode != 3 || !m_FullscreenMode, E_INVALIDARG, "Use of waitiable object is not compatible with full screen mode");
    CHECK_CONDITION(m_AllowTearingMode != 3 || m_PresentSyncInterval <= 0, E_INVALIDARG, "Forced enablement of allow tearing mode assumes zero Present sync interval");
}

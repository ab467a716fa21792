#include "diag/TraceProvider.h"

#include <cstring>
#include <cwchar>

namespace
{
constexpr EVENT_INFO_CLASS g_EventProviderSetTraits = static_cast<EVENT_INFO_CLASS>(2);
constexpr ULONG g_ProviderMetadataDescriptorType = 2;
constexpr ULONG g_EventMetadataDescriptorType = 1;
constexpr ULONG g_ControlCodeDisableProvider = 0;
constexpr ULONG g_ControlCodeEnableProvider = 1;

EVENT_DATA_DESCRIPTOR MakeDescriptor(const void* Data, ULONG Size, ULONG Type = 0) noexcept
{
    EVENT_DATA_DESCRIPTOR Descriptor;
    Descriptor.Ptr = reinterpret_cast<ULONGLONG>(Data);
    Descriptor.Size = Size;
    Descriptor.Reserved = Type; // the descriptor type sits in the low byte
    return Descriptor;
}
} // namespace

// {5B0C6A73-1F8E-4D2C-9A47-3E61B8D4F0C2}, a random GUID that consumers enable the provider by.
const GUID TraceProvider::g_Guid = { 0x5b0c6a73, 0x1f8e, 0x4d2c, { 0x9a, 0x47, 0x3e, 0x61, 0xb8, 0xd4, 0xf0, 0xc2 } };

const uint8_t TraceProvider::g_ProviderMetadata[30] = {
    30, 0,
    'L', 'u', 'm', 'i', 'v', 'e', 'x', 'T', 'r', 'a', 'c', 'e', 'L', 'o', 'g', 'g', 'i', 'n', 'g',
    'P', 'r', 'o', 'v', 'i', 'd', 'e', 'r', 0,
};

const uint8_t TraceProvider::g_EventMetadata[58] = {
    58, 0,
    0, // tags
    'M', 'e', 's', 's', 'a', 'g', 'e', 0,
    'S', 'o', 'u', 'r', 'c', 'e', 'F', 'i', 'l', 'e', 0, 2,
    'S', 'o', 'u', 'r', 'c', 'e', 'L', 'i', 'n', 'e', 0, 8,
    'S', 'o', 'u', 'r', 'c', 'e', 'F', 'u', 'n', 'c', 't', 'i', 'o', 'n', 0, 2,
    'T', 'e', 'x', 't', 'A', 0, 1,
};

// Id 0, version 0, channel 11 (TraceLogging), level 5 (verbose), opcode 0, task 0, keyword 0.
const EVENT_DESCRIPTOR TraceProvider::g_EventDescriptor = { 0, 0, 11, 5, 0, 0, 0 };

TraceProvider::State& TraceProvider::Instance() noexcept
{
    static State g_State {};
    return g_State;
}

void TraceProvider::Register() noexcept
{
    State& State = Instance();
    if(EventRegister(&g_Guid, EnableCallback, &State, &State.m_RegHandle) != ERROR_SUCCESS)
        return;
    EventSetInformation(State.m_RegHandle, g_EventProviderSetTraits,
        const_cast<uint8_t*>(g_ProviderMetadata), sizeof g_ProviderMetadata);
}

void TraceProvider::Unregister() noexcept
{
    State& State = Instance();
    EventUnregister(State.m_RegHandle);
    State.m_RegHandle = 0;
    State.m_LevelPlusOne = 0;
}

bool TraceProvider::IsEventEnabled(const State& State) noexcept
{
    return State.m_LevelPlusOne > 5;
}

void TraceProvider::WriteMessage(const char* FileName, int Line, const char* Function, const wchar_t* Message) noexcept
{
    State& State = Instance();
    if(!IsEventEnabled(State))
        return;
    FileName = FileName ? FileName : "";
    Function = Function ? Function : "";
    EVENT_DATA_DESCRIPTOR Data[6] = {
        MakeDescriptor(g_ProviderMetadata, sizeof g_ProviderMetadata, g_ProviderMetadataDescriptorType),
        MakeDescriptor(g_EventMetadata, sizeof g_EventMetadata, g_EventMetadataDescriptorType),
        MakeDescriptor(FileName, static_cast<ULONG>(strlen(FileName) + 1)),
        MakeDescriptor(&Line, sizeof Line),
        MakeDescriptor(Function, static_cast<ULONG>(strlen(Function) + 1)),
        MakeDescriptor(Message, static_cast<ULONG>((wcslen(Message) + 1) * sizeof(wchar_t))),
    };
    EventWriteTransfer(State.m_RegHandle, &g_EventDescriptor, nullptr, nullptr, 6, Data);
}

void NTAPI TraceProvider::EnableCallback(LPCGUID, ULONG ControlCode, UCHAR Level, ULONGLONG MatchAnyKeyword,
    ULONGLONG MatchAllKeyword, PEVENT_FILTER_DESCRIPTOR, PVOID CallbackContext)
{
    State& State = *static_cast<TraceProvider::State*>(CallbackContext);
    switch(ControlCode)
    {
    case g_ControlCodeEnableProvider:
        State.m_LevelPlusOne = Level ? Level + 1u : 256u;
        State.m_KeywordAny = MatchAnyKeyword;
        State.m_KeywordAll = MatchAllKeyword;
        break;
    case g_ControlCodeDisableProvider:
        State.m_LevelPlusOne = 0;
        break;
    default:
        break;
    }
}

void TraceLoggingRegister() noexcept
{
    TraceProvider::Register();
}

void TraceLoggingUnregister() noexcept
{
    TraceProvider::Unregister();
}

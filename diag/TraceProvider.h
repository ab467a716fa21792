#pragma once

#include <windows.h>
#include <evntprov.h>

#include <cstdint>

// The program's ETW TraceLogging provider "LumivexTraceLoggingProvider" with its one event
// "Message", in the self-describing TraceLogging layout built by hand.
class TraceProvider
{
public:
    struct State
    {
        volatile ULONG m_LevelPlusOne; // 0 not enabled; 256 stands for level 0 (all levels)
        ULONGLONG m_KeywordAny;
        ULONGLONG m_KeywordAll;
        REGHANDLE m_RegHandle;
    };

    static const GUID g_Guid;
    static const uint8_t g_ProviderMetadata[30];
    static const uint8_t g_EventMetadata[58];
    static const EVENT_DESCRIPTOR g_EventDescriptor;

    static State& Instance() noexcept;

    static void Register() noexcept;
    static void Unregister() noexcept;

    // The event is written when the provider is enabled at level 5 or above, or at level 0.
    static bool IsEventEnabled(const State& State) noexcept;
    static void WriteMessage(const char* FileName, int Line, const char* Function, const wchar_t* Message) noexcept;

    static void NTAPI EnableCallback(LPCGUID SourceId, ULONG ControlCode, UCHAR Level, ULONGLONG MatchAnyKeyword,
        ULONGLONG MatchAllKeyword, PEVENT_FILTER_DESCRIPTOR FilterData, PVOID CallbackContext);
};

void TraceLoggingRegister() noexcept;
void TraceLoggingUnregister() noexcept;

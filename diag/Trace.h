#pragma once

#include <cstddef>

// The qualified name of the enclosing function: MSVC spells it in __FUNCTION__, GCC and Clang only
// inside the full signature, which the trace call trims to the name.
#if defined(_MSC_VER)
#define TRACE_FUNCTION __FUNCTION__
#else
#define TRACE_FUNCTION __PRETTY_FUNCTION__
#endif

#define TRACE_SITE (::TraceSite { __FILE__, __LINE__, TRACE_FUNCTION })
#define TRACE(Format, ...) TRACE_SITE(Format, __VA_ARGS__)

// One trace call site: writes "file(line): function: message" to the debugger output and, while a
// consumer has enabled the provider at the verbose level, the event "Message".
struct TraceSite
{
    const char* File;
    int Line;
    const char* Function;

    void operator()(const wchar_t* Format, ...) const noexcept;
};

// The file name of a source path: what follows the last backslash or slash.
const char* TraceFileName(const char* File) noexcept;

// The qualified function name within a compiler's signature text ("void A::B::C(int)" gives
// "A::B::C"); a plain qualified name is copied as it is. Returns the length written.
size_t TraceFunctionName(const char* Signature, char* Buffer, size_t BufferSize) noexcept;

constexpr size_t g_TraceTextSize = 8192;

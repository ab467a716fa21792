#include "diag/Trace.h"

#include "diag/TraceProvider.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cwchar>

const char* TraceFileName(const char* File) noexcept
{
    if(!File)
        return nullptr;
    const char* Name = File;
    for(const char* Character = File; *Character; ++Character)
        if(*Character == '\\' || *Character == '/')
            Name = Character + 1;
    return Name;
}

size_t TraceFunctionName(const char* Signature, char* Buffer, size_t BufferSize) noexcept
{
    if(!BufferSize)
        return 0;
    Buffer[0] = 0;
    if(!Signature)
        return 0;
    const char* End = strchr(Signature, '(');
    if(!End)
        End = Signature + strlen(Signature);
    const char* Start = Signature;
    for(const char* Character = Signature; Character < End; ++Character)
        if(*Character == ' ')
            Start = Character + 1;
    size_t Length = static_cast<size_t>(End - Start);
    if(Length >= BufferSize)
        Length = BufferSize - 1;
    memcpy(Buffer, Start, Length);
    Buffer[Length] = 0;
    return Length;
}

void TraceSite::operator()(const wchar_t* Format, ...) const noexcept
{
    wchar_t Message[g_TraceTextSize] {};
    va_list Arguments;
    va_start(Arguments, Format);
    _vsnwprintf(Message, g_TraceTextSize - 1, Format, Arguments);
    va_end(Arguments);

    const char* FileName = TraceFileName(File);
    char FunctionName[512];
    TraceFunctionName(Function, FunctionName, sizeof FunctionName);

    wchar_t Text[g_TraceTextSize] {};
    int PrefixLength = _snwprintf(Text, g_TraceTextSize - 1, L"%hs(%d): %hs: ", FileName ? FileName : "", Line, FunctionName);
    if(PrefixLength < 0)
        PrefixLength = static_cast<int>(wcslen(Text));
    wcsncpy(Text + PrefixLength, Message, g_TraceTextSize - 1 - PrefixLength);

    OutputDebugStringW(Text);
    TraceProvider::WriteMessage(FileName, Line, FunctionName, Message);
}

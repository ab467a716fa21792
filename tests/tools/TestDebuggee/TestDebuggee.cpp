// A debuggee for the self-debugging tests: prints its process id, waits for a debugger, then does
// what its first argument names:
// - none: writes debug strings and raises the exceptions whose reports the tests compare, in a fixed
//   order: the system's exceptions, which its own handler continues, then throws of this toolchain,
//   from its executable and from a module that it loads for the purpose. How the report reads the
//   throw information of other compilers is pinned by the unit tests.
// - "text": debug strings that test the supervisor's reading: longer than the event's length can
//   tell, with a terminal's control characters, and a burst from several threads.
// - "raise <seconds> [throw]": raises and continues an exception that is no C++ throw for as long,
//   after one C++ throw with "throw", then prints how many it raised and in how many milliseconds.
#include "diag/ComException.h"
#include "diag/ParentProcessDebug.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace
{
constexpr DWORD g_RepeatedCode = 0xE0000001;
constexpr size_t g_BurstThreads = 4;
constexpr int g_BurstStrings = 1000;
// Every exception raised here on purpose goes on after the call that raised it.
LONG CALLBACK ContinueOwnExceptions(EXCEPTION_POINTERS* Pointers)
{
    switch(Pointers->ExceptionRecord->ExceptionCode)
    {
    case 0x406D1388:
    case DBG_CONTROL_C:
    case DBG_CONTROL_BREAK:
    case 0xC0000005:
    case g_RuntimeErrorCode:
    case g_ClrExceptionCode:
    case g_RepeatedCode:
        return Pointers->ExceptionRecord->ExceptionFlags & EXCEPTION_NONCONTINUABLE ? EXCEPTION_CONTINUE_SEARCH : EXCEPTION_CONTINUE_EXECUTION;
    default:
        return EXCEPTION_CONTINUE_SEARCH;
    }
}

// For 30 s at most.
bool WaitForDebugger()
{
    for(int Attempt = 0; !IsDebuggerPresent() && Attempt < 600; ++Attempt)
        Sleep(50);
    return IsDebuggerPresent();
}

void ThrowOwnException()
{
    try
    {
        throw ComException(0x887A0002, "No adapter at this index");
    }
    catch(const ComException&)
    {
    }
}

void ThrowFromModule()
{
    HMODULE const Module = LoadLibraryW(L"TestDebuggeeModule.dll");
    if(!Module)
        return;
    auto const Throw = reinterpret_cast<void (*)()>(reinterpret_cast<void*>(GetProcAddress(Module, "ThrowFromModule")));
    if(Throw)
        Throw();
    FreeLibrary(Module);
}

void RaiseSystemExceptions()
{
    // Naming a thread is no error.
    struct
    {
        DWORD m_Type;
        const char* m_Name;
        DWORD m_ThreadId;
        DWORD m_Flags;
    } const Naming { 0x1000, "Worker", GetCurrentThreadId(), 0 };
    RaiseException(0x406D1388, 0, sizeof Naming / sizeof(ULONG_PTR), reinterpret_cast<const ULONG_PTR*>(&Naming));
    // Nor are a console's Ctrl+C and Ctrl+Break, which reach a debugged process as exceptions.
    RaiseException(DBG_CONTROL_C, 0, 0, nullptr);
    RaiseException(DBG_CONTROL_BREAK, 0, 0, nullptr);

    ULONG_PTR const AccessViolation[] { 0, 0x10 };
    RaiseException(0xC0000005, 0, 2, AccessViolation);

    static const wchar_t Message[] = L"Windows Runtime error: the parameter is incorrect.\r\n";
    ULONG_PTR const RuntimeError[] { static_cast<ULONG_PTR>(E_INVALIDARG), wcslen(Message), reinterpret_cast<ULONG_PTR>(Message) };
    RaiseException(g_RuntimeErrorCode, 0, 3, RuntimeError);

    ULONG_PTR const ClrException[] { 0x80131509, 0, 0, 0, 0 };
    RaiseException(g_ClrExceptionCode, 0, 5, ClrException);
}

// "0123456789" over and over, Length characters.
std::string Digits(size_t Length)
{
    std::string Text(Length, '0');
    for(size_t Index = 0; Index < Length; ++Index)
        Text[Index] = static_cast<char>('0' + Index % 10);
    return Text;
}

void WriteTexts()
{
    OutputDebugStringA(Digits(70000).c_str());
    OutputDebugStringA(Digits(1 << 20).c_str());
    OutputDebugStringA("Bell\x07, \x1B[31mred\x1B[0m and a \rreturn\r\n");
    std::vector<std::thread> Threads;
    for(size_t Thread = 0; Thread < g_BurstThreads; ++Thread)
        Threads.emplace_back([Thread]
        {
            for(int Index = 0; Index < g_BurstStrings; ++Index)
                OutputDebugStringA(("Burst " + std::to_string(Thread) + " " + std::to_string(Index)).c_str());
        });
    for(std::thread& Thread : Threads)
        Thread.join();
    OutputDebugStringA("Texts done");
}

void RaiseRepeatedly(const char* Seconds, bool ThrowFirst)
{
    if(ThrowFirst)
        ThrowOwnException();
    ULONGLONG const Start = GetTickCount64();
    ULONGLONG const End = Start + 1000 * static_cast<ULONGLONG>(atoi(Seconds));
    unsigned long Count = 0;
    for(; GetTickCount64() < End; ++Count)
        RaiseException(g_RepeatedCode, 0, 0, nullptr);
    std::printf("%lu %llu\n", Count, GetTickCount64() - Start);
}

void RaiseAndWrite()
{
    OutputDebugStringA("Debuggee attached.\r\n");
    OutputDebugStringA(" . \r\n");
    OutputDebugStringA("Caf\xE9 au lait\n");
    // Wine delivers a Windows Runtime error notification raised after a caught GCC throw without its
    // parameters, so the system's exceptions come first.
    RaiseSystemExceptions();
    ThrowOwnException();
    ThrowFromModule();
    OutputDebugStringW(L"Debuggee done...");
}
} // namespace

int main(int Count, char** Arguments)
{
    std::printf("%lu\n", GetCurrentProcessId());
    std::fflush(stdout);
    if(!WaitForDebugger())
        return 1;
    AddVectoredExceptionHandler(1, ContinueOwnExceptions);
    if(Count > 1 && strcmp(Arguments[1], "text") == 0)
        WriteTexts();
    else if(Count > 2 && strcmp(Arguments[1], "raise") == 0)
        RaiseRepeatedly(Arguments[2], Count > 3 && strcmp(Arguments[3], "throw") == 0);
    else
        RaiseAndWrite();
    return 0;
}

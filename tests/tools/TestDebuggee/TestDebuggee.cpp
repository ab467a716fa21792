// A debuggee for the self-debugging tests: prints its process id, waits for a debugger, then writes
// debug strings and raises the exceptions whose reports the tests compare, in a fixed order: the
// system's exceptions, which its own handler continues, then throws of this toolchain, from its
// executable and from a module that it loads for the purpose. How the report reads the throw
// information of other compilers is pinned by the unit tests.
#include "diag/ComException.h"
#include "diag/ParentProcessDebug.h"

#include <windows.h>

#include <cstdio>

namespace
{
// Every exception raised here on purpose goes on after the call that raised it.
LONG CALLBACK ContinueOwnExceptions(EXCEPTION_POINTERS* Pointers)
{
    switch(Pointers->ExceptionRecord->ExceptionCode)
    {
    case 0x406D1388:
    case 0xC0000005:
    case g_RuntimeErrorCode:
    case g_ClrExceptionCode:
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

    ULONG_PTR const AccessViolation[] { 0, 0x10 };
    RaiseException(0xC0000005, 0, 2, AccessViolation);

    static const wchar_t Message[] = L"Windows Runtime error: the parameter is incorrect.\r\n";
    ULONG_PTR const RuntimeError[] { static_cast<ULONG_PTR>(E_INVALIDARG), wcslen(Message), reinterpret_cast<ULONG_PTR>(Message) };
    RaiseException(g_RuntimeErrorCode, 0, 3, RuntimeError);

    ULONG_PTR const ClrException[] { 0x80131509, 0, 0, 0, 0 };
    RaiseException(g_ClrExceptionCode, 0, 5, ClrException);
}
} // namespace

int main()
{
    std::printf("%lu\n", GetCurrentProcessId());
    std::fflush(stdout);
    if(!WaitForDebugger())
        return 1;
    AddVectoredExceptionHandler(1, ContinueOwnExceptions);
    OutputDebugStringA("Debuggee attached.\r\n");
    OutputDebugStringA(" . \r\n");
    OutputDebugStringA("Caf\xE9 au lait\n");
    // Wine delivers a Windows Runtime error notification raised after a caught GCC throw without its
    // parameters, so the system's exceptions come first.
    RaiseSystemExceptions();
    ThrowOwnException();
    ThrowFromModule();
    OutputDebugStringW(L"Debuggee done...");
    return 0;
}

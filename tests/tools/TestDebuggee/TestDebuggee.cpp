// A debuggee for the self-debugging tests: prints its process id, waits for a debugger, then writes
// debug strings and raises the exceptions whose descriptions the tests compare, in a fixed order.
// The exceptions are raised the way an MSVC build throws (hand-built x64 throw information),
// the way this toolchain throws, and as system exceptions; its own handler continues each one. The
// last throw comes from a module that it loads for it.
#include "diag/ComException.h"
#include "diag/ParentProcessDebug.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace
{
constexpr ULONG_PTR g_MsvcThrowMagic = 0x19930520;

// MSVC's x64 throw information; every reference is an offset from the image base.
struct ThrowInformation
{
    uint32_t m_Attributes;
    uint32_t m_Unwind;
    uint32_t m_ForwardCompatibility;
    uint32_t m_CatchableTypeArray;
};

struct CatchableTypeArray
{
    int32_t m_Count;
    uint32_t m_CatchableTypes[1];
};

struct CatchableType
{
    uint32_t m_Properties;
    uint32_t m_TypeDescriptor;
    int32_t m_Displacement[3];
    uint32_t m_Size;
    uint32_t m_CopyFunction;
};

struct TypeDescriptor
{
    const void* m_VirtualTable;
    void* m_Spare;
    char m_Name[32];
};

static_assert(sizeof(ThrowInformation) == 16 && sizeof(CatchableType) == 28, "x64 throw information");
static_assert(offsetof(TypeDescriptor, m_Name) == 16, "x64 type descriptor");

// One thrown type: its throw information lives in this image's static data.
struct ThrownType
{
    ThrowInformation m_Throw;
    CatchableTypeArray m_Array;
    CatchableType m_Catchable;
    TypeDescriptor m_Descriptor;
};

uint32_t ImageOffset(const void* Address)
{
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(Address) - reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr)));
}

void Prepare(ThrownType& Type, const char* Name, uint32_t Size)
{
    Type = {};
    strcpy_s(Type.m_Descriptor.m_Name, Name);
    Type.m_Catchable.m_TypeDescriptor = ImageOffset(&Type.m_Descriptor);
    Type.m_Catchable.m_Size = Size;
    Type.m_Array.m_Count = 1;
    Type.m_Array.m_CatchableTypes[0] = ImageOffset(&Type.m_Catchable);
    Type.m_Throw.m_CatchableTypeArray = ImageOffset(&Type.m_Array);
}

ThrownType g_Long, g_ComError, g_Widget, g_Empty, g_ComException;

void RaiseMsvcThrow(ThrownType& Type, const char* Name, const void* Object, uint32_t Size)
{
    Prepare(Type, Name, Size);
    ULONG_PTR const Parameters[] { g_MsvcThrowMagic, reinterpret_cast<ULONG_PTR>(Object), reinterpret_cast<ULONG_PTR>(&Type.m_Throw),
        reinterpret_cast<ULONG_PTR>(GetModuleHandleW(nullptr)) };
    RaiseException(g_MsvcThrowCode, 0, 4, Parameters);
}

// Every exception raised here on purpose goes on after the call that raised it.
LONG CALLBACK ContinueOwnExceptions(EXCEPTION_POINTERS* Pointers)
{
    switch(Pointers->ExceptionRecord->ExceptionCode)
    {
    case g_MsvcThrowCode:
    case 0x406D1388:
    case 0xC0000005:
    case g_RuntimeErrorCode:
    case g_ClrExceptionCode:
        return Pointers->ExceptionRecord->ExceptionFlags & EXCEPTION_NONCONTINUABLE ? EXCEPTION_CONTINUE_SEARCH : EXCEPTION_CONTINUE_EXECUTION;
    default:
        return EXCEPTION_CONTINUE_SEARCH;
    }
}

bool WaitForDebugger()
{
    for(int Attempt = 0; Attempt < 600; ++Attempt)
    {
        if(IsDebuggerPresent())
            return true;
        Sleep(50);
    }
    return false;
}

void RaiseThrows()
{
    long const Long = E_INVALIDARG;
    RaiseMsvcThrow(g_Long, ".J", &Long, sizeof Long);

    // _com_error: virtual table, then the HRESULT.
    struct
    {
        const void* m_VirtualTable;
        uint32_t m_Result;
        uint32_t m_Padding;
        void* m_ErrorInfo;
        wchar_t* m_Message;
    } const ComError { nullptr, 0x887A0005, 0, nullptr, nullptr };
    static_assert(sizeof ComError == 32, "x64 _com_error");
    RaiseMsvcThrow(g_ComError, ".?AV_com_error@@", &ComError, sizeof ComError);

    unsigned char Widget[24];
    for(unsigned char Index = 0; Index < sizeof Widget; ++Index)
        Widget[Index] = static_cast<unsigned char>(0xA0 + Index);
    RaiseMsvcThrow(g_Widget, ".?AVWidget@@", Widget, sizeof Widget);

    RaiseMsvcThrow(g_Empty, ".?AVEmpty@@", &Widget, 0);

    ComException const Thrown(0x887A0022, "Not currently available");
    RaiseMsvcThrow(g_ComException, ".?AVComException@@", &Thrown, sizeof Thrown);
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
    RaiseThrows();
    OutputDebugStringA("Caf\xE9 au lait\n");
    // Wine delivers a Windows Runtime error notification raised after a caught GCC throw without its
    // parameters, so the system's exceptions come first.
    RaiseSystemExceptions();
    ThrowOwnException();
    ThrowFromModule();
    OutputDebugStringW(L"Debuggee done...");
    return 0;
}

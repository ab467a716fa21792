#include "app/Program.h"

#include <objbase.h>
#include <roapi.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

// The program's main, built into the tests under this name.
int LumivexMain();

namespace
{
std::string g_DebugOutput;

// Without a debugger, debug output ends up raising this exception with the narrow text; this
// handler reads it as it passes.
LONG CALLBACK CaptureDebugOutput(EXCEPTION_POINTERS* Pointers)
{
    const EXCEPTION_RECORD& Record = *Pointers->ExceptionRecord;
    if(Record.ExceptionCode == DBG_PRINTEXCEPTION_C && Record.NumberParameters >= 2)
        g_DebugOutput += reinterpret_cast<const char*>(Record.ExceptionInformation[1]);
    return EXCEPTION_CONTINUE_SEARCH;
}
} // namespace

TEST(Main, FailedRuntimeInitialisationTracesItsGuard)
{
    std::string Output;
    std::thread([&] {
        // A thread of a single-threaded apartment cannot join the multithreaded one.
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
        ASSERT_EQ(RoInitialize(RO_INIT_MULTITHREADED), RPC_E_CHANGED_MODE);
        PVOID const Handler = AddVectoredExceptionHandler(1, CaptureDebugOutput);
        testing::internal::CaptureStdout();
        EXPECT_EQ(LumivexMain(), 0);
        Output = testing::internal::GetCapturedStdout();
        RemoveVectoredExceptionHandler(Handler);
        CoUninitialize();
    }).join();
    EXPECT_EQ(Output, "Exception: 0x80010106 Unknown exception\n");
    EXPECT_NE(g_DebugOutput.find(": Throwing an exception, 0x80010106, expression RoInitializeWrapper\n"), std::string::npos) << g_DebugOutput;
}

namespace
{
int Filter(const wchar_t* Module, const char* Type, uint32_t Value)
{
    ParentProcessDebug::ExceptionData Data;
    Data.m_Module = Module;
    Data.m_Type = Type;
    Data.m_Value = Value;
    return FilterDebugException(Data);
}

constexpr char g_ComError[] = ".?AV_com_error@@";
} // namespace

TEST(FilterDebugException, IgnoresThreadNamingAndTheUnwindingOfThrows)
{
    EXPECT_EQ(Filter(L"", "", 0x406D1388), 0);
    EXPECT_EQ(Filter(L"", "", 0x21474343), 0);
    EXPECT_EQ(Filter(L"", "", 0xC0000005), 1);
    EXPECT_EQ(Filter(L"C:\\app.exe", "", 0x406D1388), 1);
    EXPECT_EQ(Filter(L"", ".J", 0x406D1388), 1);
}

TEST(FilterDebugException, IgnoresTheShaderCachesOwnErrors)
{
    EXPECT_EQ(Filter(L"C:\\Windows\\System32\\D3DSCache.dll", g_ComError, 0x80004005), 0);
    EXPECT_EQ(Filter(L"C:\\Windows\\System32\\d3dscache.DLL", g_ComError, 0x887A0033), 0);
    EXPECT_EQ(Filter(L"C:\\Windows\\System32\\D3DSCache.dll", g_ComError, 0x80070057), 1);
    EXPECT_EQ(Filter(L"C:\\Windows\\System32\\D3DSCache.dll", ".?AV_com_error@@x", 0x80004005), 1);
    EXPECT_EQ(Filter(L"C:\\Windows\\System32\\D3DSCache.dll", ".J", 0x80004005), 1);
}

TEST(FilterDebugException, IgnoresTheDirect3DRuntimesHandledErrors)
{
    EXPECT_EQ(Filter(L"C:\\Windows\\System32\\D3D11.DLL", g_ComError, 0x80070057), 0);
    EXPECT_EQ(Filter(L"d3d11.dll", g_ComError, 0x887A0005), 0);
    EXPECT_EQ(Filter(L"C:\\Windows\\System32\\d3d11.dll", g_ComError, 0x80004005), 1);
    EXPECT_EQ(Filter(L"C:\\Windows\\System32\\d3d11.dll", ".?AV_COM_ERROR@@", 0x80070057), 1);
    EXPECT_EQ(Filter(L"C:\\Windows\\System32\\dxgi.dll", g_ComError, 0x80070057), 1);
    EXPECT_EQ(Filter(L"C:\\Windows\\System32\\d3d11.dll.bak", g_ComError, 0x80070057), 1);
}

#include <windows.h>
#include <objbase.h>
#include <roapi.h>

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

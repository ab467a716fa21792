#include "diag/ParentProcessDebug.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

// A dump of this test process itself, next to its executable: without the thread at the exception, or
// with one that does not exist, it is still written.
TEST(MiniDump, WithoutTheThreadTheDumpIsStillWritten)
{
    ScopedHandle Process;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), Process.GetAddressOf(), 0, FALSE,
        DUPLICATE_SAME_ACCESS));
    EXCEPTION_RECORD Record { EXCEPTION_ACCESS_VIOLATION };
    std::vector<std::wstring> const Parts { L"MiniDumpTests", std::to_wstring(GetCurrentProcessId()), L"DebugException", L"0", L"0xC0000005" };
    std::wstring const Path = ParentProcessDebug::DumpFilePath(ParentProcessDebug::DumpFileName(Parts));
    for(DWORD ThreadId : { 0ul, 0xFFFFFFF0ul })
    {
        DeleteFileW(Path.c_str());
        ParentProcessDebug::WriteMiniDump(GetCurrentProcessId(), Process, ThreadId, &Record, Parts, 0);
        char Signature[4] {};
        std::ifstream(std::filesystem::path(Path), std::ios::binary).read(Signature, sizeof Signature);
        EXPECT_EQ(std::string(Signature, sizeof Signature), "MDMP") << ThreadId;
    }
    DeleteFileW(Path.c_str());
}

#include "diag/ParentProcessDebug.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

// Dumps of this test process itself, written next to its executable.
namespace
{
constexpr uint32_t g_ExceptionStream = 6;

class MiniDump : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), m_Process.GetAddressOf(), 0, FALSE,
            DUPLICATE_SAME_ACCESS));
        m_Record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
        m_Parts = { L"MiniDumpTests", std::to_wstring(GetCurrentProcessId()), L"DebugException", L"0", L"0xC0000005" };
        wchar_t Path[MAX_PATH] {};
        GetModuleFileNameW(nullptr, Path, MAX_PATH);
        PathRemoveFileSpecW(Path);
        m_Path = std::wstring(Path) + L"\\" + ParentProcessDebug::DumpFileName(m_Parts);
    }

    void TearDown() override
    {
        DeleteFileW(m_Path.c_str());
    }

    void Write(DWORD ThreadId)
    {
        ParentProcessDebug::WriteMiniDump(GetCurrentProcessId(), m_Process, ThreadId, &m_Record, m_Parts, 0);
    }

    std::vector<char> Contents() const
    {
        std::ifstream Stream(std::filesystem::path(m_Path), std::ios::binary);
        return { std::istreambuf_iterator<char>(Stream), std::istreambuf_iterator<char>() };
    }

    // "none" when the file is no minidump, else whether its directory lists an exception stream.
    std::string ExceptionStream() const
    {
        std::vector<char> const Bytes = Contents();
        uint32_t Header[4] {};
        if(Bytes.size() < sizeof Header || std::memcmp(Bytes.data(), "MDMP", 4) != 0)
            return "none";
        std::memcpy(Header, Bytes.data(), sizeof Header);
        for(uint32_t Index = 0; Index < Header[2] && Header[3] + Index * 12 + 4 <= Bytes.size(); ++Index)
        {
            uint32_t Type;
            std::memcpy(&Type, Bytes.data() + Header[3] + Index * 12, sizeof Type);
            if(Type == g_ExceptionStream)
                return "exception";
        }
        return "plain";
    }

    ScopedHandle m_Process;
    EXCEPTION_RECORD m_Record {};
    std::vector<std::wstring> m_Parts;
    std::wstring m_Path;
};

DWORD WINAPI Idle(void*)
{
    return 0;
}
} // namespace

TEST_F(MiniDump, WithoutTheThreadThereIsNoExceptionStream)
{
    // No thread, or one that does not exist: a plain dump.
    for(DWORD ThreadId : { 0ul, 0xFFFFFFF0ul })
    {
        Write(ThreadId);
        EXPECT_EQ(ExceptionStream(), "plain") << ThreadId;
    }
}

TEST_F(MiniDump, ThreadAtTheExceptionGivesTheExceptionStream)
{
    DWORD ThreadId = 0;
    ScopedHandle const Thread(CreateThread(nullptr, 0, Idle, nullptr, CREATE_SUSPENDED, &ThreadId));
    ASSERT_TRUE(Thread.IsValid());
    Write(ThreadId);
    ResumeThread(Thread.Get());
    WaitForSingleObject(Thread.Get(), INFINITE);
    EXPECT_EQ(ExceptionStream(), "exception");
}

#include "diag/ParentProcessDebug.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{
std::string ReadFileBytes(const std::wstring& Path)
{
    std::ifstream File(std::filesystem::path(Path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(File), {});
}

// What a dump's header and directory say it holds, read from the first Size bytes of Bytes.
uint64_t ExtentOf(const std::string& Bytes, size_t Size)
{
    return ParentProcessDebug::MiniDumpExtent([&](uint64_t Offset, void* Buffer, DWORD Count)
    {
        if(Offset + Count > Size)
            return false;
        std::memcpy(Buffer, Bytes.data() + Offset, Count);
        return true;
    });
}
} // namespace

// Dumps of this test process itself, next to its executable: without the thread at the exception, or
// with one that does not exist, the dump is still written; a dump never replaces an earlier one of
// the same name, which it takes with a discriminator instead; and a dump is whole only as long as the
// file holds all that its header and directory say.
TEST(MiniDump, WrittenBesideEarlierDumpsAndWholeOnlyWithAllItsBytes)
{
    ScopedHandle Process;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), Process.GetAddressOf(), 0, FALSE,
        DUPLICATE_SAME_ACCESS));
    EXCEPTION_RECORD Record { EXCEPTION_ACCESS_VIOLATION };
    std::vector<std::wstring> const Parts { L"MiniDumpTests", std::to_wstring(GetCurrentProcessId()), L"DebugException", L"0", L"0xC0000005" };
    std::wstring const Path = ParentProcessDebug::DumpFilePath(ParentProcessDebug::DumpFileName(Parts));
    std::vector<std::wstring> const Paths { Path, Path.substr(0, Path.size() - 4) + L"-0002.dmp" };
    for(const std::wstring& Each : Paths)
        DeleteFileW(Each.c_str());
    std::wstring Written;
    for(size_t Index = 0; Index < Paths.size(); ++Index)
    {
        DWORD const ThreadId = Index ? 0xFFFFFFF0ul : 0;
        ParentProcessDebug::WriteMiniDump(GetCurrentProcessId(), Process, ThreadId, &Record, Parts, 0, &Written);
        EXPECT_EQ(Written, Paths[Index]);
        for(size_t Earlier = 0; Earlier <= Index; ++Earlier)
            EXPECT_EQ(ReadFileBytes(Paths[Earlier]).substr(0, 4), "MDMP") << Index << " " << Earlier;
    }

    std::string const Bytes = ReadFileBytes(Path);
    uint64_t const Extent = ExtentOf(Bytes, Bytes.size());
    EXPECT_GT(Extent, 0x1000u);
    EXPECT_LE(Extent, Bytes.size());
    // A file cut short keeps its header: it says more than the file holds, or cannot even be read.
    for(size_t Cut : { size_t(Extent - 1), Bytes.size() / 2, size_t(64) })
        EXPECT_TRUE(ExtentOf(Bytes, Cut) > Cut || ExtentOf(Bytes, Cut) == 0) << Cut;
    EXPECT_EQ(ExtentOf(std::string(Bytes.size(), '\0'), Bytes.size()), 0u);
    for(const std::wstring& Each : Paths)
        DeleteFileW(Each.c_str());
}

#include "diag/ComException.h"
#include "diag/ThrownObject.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

// The report reads this very program's throws, raised by the compiler it is built with.
namespace
{
class OwnProcess : public ParentProcessDebug::DebuggeeReader
{
public:
    bool Read(uint64_t Address, void* Buffer, size_t Size) const override
    {
        SIZE_T Copied = 0;
        return ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<const void*>(Address), Buffer, Size, &Copied) && Copied == Size;
    }

    std::wstring ModulePath(uint64_t Address) const override
    {
        HMODULE Module = nullptr;
        if(!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
               reinterpret_cast<LPCWSTR>(Address), &Module))
            return {};
        wchar_t Path[MAX_PATH] {};
        GetModuleFileNameW(Module, Path, MAX_PATH);
        return Path;
    }
};

EXCEPTION_RECORD g_ThrowRecord;
bool g_Captured;

LONG CALLBACK CaptureThrow(EXCEPTION_POINTERS* Pointers)
{
    DWORD const Code = Pointers->ExceptionRecord->ExceptionCode;
    if(!g_Captured && (Code == g_GccThrowCode || Code == g_MsvcThrowCode))
    {
        g_ThrowRecord = *Pointers->ExceptionRecord;
        g_Captured = true;
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// Throws Value and describes the throw while its object is still alive, in the catch block.
template <typename Value>
std::vector<std::wstring> DescribeOwnThrow(const Value& Thrown, std::wstring& Tag)
{
    std::vector<std::wstring> Lines;
    ParentProcessDebug Debug;
    Debug.m_OutputHandler = [&Lines](const wchar_t* Text) { Lines.push_back(Text); };
    g_Captured = false;
    PVOID const Handler = AddVectoredExceptionHandler(1, CaptureThrow);
    try
    {
        throw Thrown;
    }
    catch(const Value&)
    {
        RemoveVectoredExceptionHandler(Handler);
        EXPECT_TRUE(g_Captured);
        Tag = ParentProcessDebug::InitialDumpTag(g_ThrowRecord);
        Debug.DescribeException(OwnProcess(), g_ThrowRecord, Tag);
    }
    return Lines;
}

std::wstring OwnFileName()
{
    wchar_t Path[MAX_PATH] {};
    GetModuleFileNameW(nullptr, Path, MAX_PATH);
    return PathFindFileNameW(Path);
}
} // namespace

TEST(OwnThrow, ComExceptionWithItsMessage)
{
    std::wstring Tag;
    std::vector<std::wstring> const Lines = DescribeOwnThrow(ComException(0x887A0002, "No adapter at this index"), Tag);
    EXPECT_EQ(Lines, std::vector<std::wstring> { L"Exception: Module " + OwnFileName() + L", ComException, 0x887A0002, No adapter at this index" });
    EXPECT_EQ(Tag, L"0x887A0002");
}

TEST(OwnThrow, ThrownLong)
{
    std::wstring Tag;
    std::vector<std::wstring> const Lines = DescribeOwnThrow(static_cast<long>(E_INVALIDARG), Tag);
    EXPECT_EQ(Lines, std::vector<std::wstring> { L"Exception: Module " + OwnFileName() + L", HRESULT, 0x80070057" });
    EXPECT_EQ(Tag, L"0x80070057");
}

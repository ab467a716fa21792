#include "FakeDebuggee.h"
#include "diag/ThrownObject.h"

#include <gtest/gtest.h>

#include <numeric>
#include <optional>

namespace
{
constexpr uint64_t g_ImageBase = 0x140000000;
constexpr uint64_t g_ThrowInformation = g_ImageBase + 0x1000;
constexpr uint64_t g_ObjectAddress = 0x7FF000000;
constexpr uint64_t g_MessageAddress = 0x7FF100000;
constexpr wchar_t g_ModulePath[] = L"C:\\Tools\\app.exe";

// A debuggee whose module at g_ImageBase has thrown, and the supervisor's lines about it.
class ExceptionDescription : public testing::Test
{
protected:
    void SetUp() override
    {
        m_Debuggee.SetModule(g_ImageBase, 0x100000, g_ModulePath);
        m_Debug.m_OutputHandler = [this](const wchar_t* Text) { m_Lines.push_back(Text); };
        m_Debug.m_ExceptionFilter = [this](const ParentProcessDebug::ExceptionData& Data)
        {
            m_Filtered = Data;
            m_FilteredBytes.assign(static_cast<const uint8_t*>(Data.m_Data), static_cast<const uint8_t*>(Data.m_Data) + Data.m_DataSize);
            return m_Accept;
        };
    }

    // MSVC's x64 throw information for an object of Type and Size, every reference relative to the image base.
    void Throw(const std::string& Type, uint32_t Size, uint64_t ModuleBase = g_ImageBase)
    {
        m_Record = {};
        m_Record.ExceptionCode = g_MsvcThrowCode;
        m_Record.NumberParameters = 4;
        m_Record.ExceptionInformation[0] = 0x19930520;
        m_Record.ExceptionInformation[1] = g_ObjectAddress;
        m_Record.ExceptionInformation[2] = ModuleBase + 0x1000;
        m_Record.ExceptionInformation[3] = ModuleBase;
        m_Debuggee.WriteValue<uint32_t>(ModuleBase + 0x1000 + 12, 0x2000);
        m_Debuggee.WriteValue<uint32_t>(ModuleBase + 0x2000, 1);
        m_Debuggee.WriteValue<uint32_t>(ModuleBase + 0x2000 + 4, 0x3000);
        m_Debuggee.WriteValue<uint32_t>(ModuleBase + 0x3000 + 4, 0x4000);
        m_Debuggee.WriteValue<uint32_t>(ModuleBase + 0x3000 + 20, Size);
        m_Debuggee.WriteText(ModuleBase + 0x4000 + 16, Type);
    }

    void ThrowBytes(const std::string& Type, const std::vector<uint8_t>& Bytes)
    {
        Throw(Type, static_cast<uint32_t>(Bytes.size()));
        m_Debuggee.Write(g_ObjectAddress, Bytes.data(), Bytes.size());
    }

    // The object of a thrown ComException: virtual table, message, own-copy flag, result.
    static std::vector<uint8_t> ComExceptionBytes(uint32_t Result, uint64_t Message)
    {
        std::vector<uint8_t> Bytes(32, 0xCD);
        std::memcpy(Bytes.data() + 8, &Message, sizeof Message);
        std::memcpy(Bytes.data() + 24, &Result, sizeof Result);
        return Bytes;
    }

    static std::vector<uint8_t> Sequence(size_t Size)
    {
        std::vector<uint8_t> Bytes(Size);
        std::iota(Bytes.begin(), Bytes.end(), uint8_t { 0xF0 });
        return Bytes;
    }

    BOOL Describe()
    {
        m_Tag = ParentProcessDebug::InitialDumpTag(m_Record);
        return m_Debug.DescribeException(m_Debuggee, m_Record, m_Tag);
    }

    FakeDebuggee m_Debuggee;
    ParentProcessDebug m_Debug;
    EXCEPTION_RECORD m_Record {};
    std::wstring m_Tag;
    std::vector<std::wstring> m_Lines;
    std::optional<ParentProcessDebug::ExceptionData> m_Filtered;
    std::vector<uint8_t> m_FilteredBytes;
    int m_Accept = 1;
};
} // namespace

TEST_F(ExceptionDescription, ThrownLongGivesItsResultToLineTagAndFilter)
{
    ThrowBytes(".J", { 0x57, 0x00, 0x07, 0x80 });
    EXPECT_TRUE(Describe());
    EXPECT_EQ(m_Lines, std::vector<std::wstring> { L"Exception: Module app.exe, HRESULT, 0x80070057" });
    EXPECT_EQ(m_Tag, L"0x80070057");
    ASSERT_TRUE(m_Filtered);
    EXPECT_EQ(m_Filtered->m_Module, g_ModulePath);
    EXPECT_EQ(m_Filtered->m_Type, ".J");
    EXPECT_EQ(m_Filtered->m_Value, 0x80070057u);
    EXPECT_EQ(m_FilteredBytes, (std::vector<uint8_t> { 0x57, 0x00, 0x07, 0x80 }));
}

TEST_F(ExceptionDescription, RecognisedTypesNeedTheirBytesAndOthersShowTheirFirstTwenty)
{
    std::vector<uint8_t> ComError(12, 0);
    ComError[8] = 0x05;
    ComError[10] = 0x7A;
    ComError[11] = 0x88;
    std::vector<uint8_t> Truncated = ComExceptionBytes(0x887A0001, 0);
    Truncated.resize(27);
    // A message that is not UTF-8, one that ends just before unreadable memory, an empty one and one
    // with a terminal's control characters.
    m_Debuggee.WriteText(g_MessageAddress, "Ger\xE4t weg");
    uint64_t const NearEnd = g_MessageAddress + 2 * FakeDebuggee::g_PageSize - 6;
    m_Debuggee.WriteText(NearEnd, "Short");
    uint64_t const Empty = g_MessageAddress + 0x100;
    m_Debuggee.WriteText(Empty, "");
    uint64_t const Controls = g_MessageAddress + 0x200;
    m_Debuggee.WriteText(Controls, "\x1B[31mRed\x07\rline\tend");
    struct Case
    {
        const char* m_Type;
        std::vector<uint8_t> m_Bytes;
        const wchar_t* m_Line;
        const wchar_t* m_Tag;
    };
    Case const Cases[] {
        { ".J", { 0x57, 0x00, 0x07, 0x80, 0, 0, 0, 0 }, L"HRESULT", L"0xE06D7363" },
        { ".?AV_com_error@@", std::vector<uint8_t>(11, 0), L"_com_error", L"0xE06D7363" },
        { ".?AV_com_error@@", ComError, L"_com_error, 0x887A0005", L"0x887A0005" },
        { ".?AVCAtlException@ATL@@", { 0x0E, 0x00, 0x07, 0x80 }, L"ATL::CAtlException, 0x8007000E", L"0x8007000E" },
        { ".?AVComException@@", Truncated, L"ComException", L"0xE06D7363" },
        { ".?AVComException@@", ComExceptionBytes(0x80004005, 0x10), L"ComException, 0x80004005", L"0x80004005" },
        { ".?AVComException@@", ComExceptionBytes(0x80004005, g_MessageAddress), L"ComException, 0x80004005, Ger\uFFFDt weg", L"0x80004005" },
        { ".?AVComException@@", ComExceptionBytes(0x887A0005, NearEnd), L"ComException, 0x887A0005, Short", L"0x887A0005" },
        { ".?AVComException@@", ComExceptionBytes(0x80004005, Empty), L"ComException, 0x80004005", L"0x80004005" },
        { ".?AVComException@@", ComExceptionBytes(0x80004005, Controls), L"ComException, 0x80004005, ?[31mRed??line\tend", L"0x80004005" },
        // Decorated names match exactly.
        { ".?AV_com_error@@ ", ComError, L"12 bytes: 00 00 00 00 00 00 00 00 05 00 7A 88, Type .?AV_com_error@@ ", L"0xE06D7363" },
        { ".?AVWidget@@", Sequence(3), L"3 bytes: F0 F1 F2, Type .?AVWidget@@", L"0xE06D7363" },
        { ".?AVWidget@@", Sequence(20), L"20 bytes: F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF 00 01 02 03, Type .?AVWidget@@", L"0xE06D7363" },
        { ".?AVWidget@@", Sequence(21), L"21 bytes: F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF 00 01 02 03..., Type .?AVWidget@@", L"0xE06D7363" },
    };
    for(const Case& Case : Cases)
    {
        m_Lines.clear();
        ThrowBytes(Case.m_Type, Case.m_Bytes);
        EXPECT_TRUE(Describe());
        EXPECT_EQ(m_Lines, std::vector<std::wstring> { std::wstring(L"Exception: Module app.exe, ") + Case.m_Line });
        EXPECT_EQ(m_Tag, Case.m_Tag) << Case.m_Line;
        EXPECT_EQ(m_FilteredBytes, Case.m_Bytes) << Case.m_Line;
    }
}

// Each part that cannot be read is left out: the object's bytes, the module, the type.
TEST_F(ExceptionDescription, WhatCannotBeReadIsLeftOut)
{
    Throw(".?AVWidget@@", 0);
    m_Debuggee.Write(g_ObjectAddress, Sequence(8).data(), 8);
    Describe();
    ASSERT_TRUE(m_Filtered);
    EXPECT_EQ(m_Filtered->m_DataSize, 0u);
    // A recognised type whose object is gone gets no label either.
    Throw(".J", 4);
    m_Record.ExceptionInformation[1] = 0x20;
    Describe();
    EXPECT_EQ(m_Filtered->m_Data, nullptr);
    EXPECT_EQ(m_Filtered->m_DataSize, 0u);
    Throw(".J", 4, 0x180000000);
    m_Debuggee.WriteValue<uint32_t>(g_ObjectAddress, 0x80070057);
    Describe();
    EXPECT_TRUE(m_Filtered->m_Module.empty());
    m_Record.ExceptionInformation[2] = 0x30;
    Describe();
    EXPECT_TRUE(m_Filtered->m_Type.empty());
    EXPECT_EQ(m_Lines, (std::vector<std::wstring> { L"Exception: Module app.exe, Type .?AVWidget@@", L"Exception: Module app.exe, Type .J",
        L"Exception: HRESULT, 0x80070057", L"Exception: " }));
}

TEST_F(ExceptionDescription, FilterDecidesAboutLineAndDump)
{
    ThrowBytes(".J", { 0x57, 0x00, 0x07, 0x80 });
    m_Accept = 0;
    EXPECT_FALSE(Describe());
    EXPECT_TRUE(m_Lines.empty());

    m_Debug.m_ExceptionFilter = nullptr;
    EXPECT_TRUE(Describe());
    EXPECT_EQ(m_Lines, std::vector<std::wstring> { L"Exception: Module app.exe, HRESULT, 0x80070057" });

    m_Debug.m_OutputHandler = nullptr;
    EXPECT_THROW(Describe(), HRESULT);
}

TEST_F(ExceptionDescription, RuntimeErrorMessageStandsAlone)
{
    std::wstring const Message = L"The parameter is incorrect.\r\n";
    m_Debuggee.Write(g_MessageAddress, Message.c_str(), Message.size() * sizeof(wchar_t));
    m_Record.ExceptionCode = g_RuntimeErrorCode;
    m_Record.NumberParameters = 3;
    m_Record.ExceptionInformation[0] = 0x80070057;
    // The length is the parameter's low 32 bits.
    m_Record.ExceptionInformation[1] = 0xFFFFFFFF00000000 | 13;
    m_Record.ExceptionInformation[2] = g_MessageAddress;
    // It is shown even without the forwarded debug output.
    m_Debug.m_DisableDebugOutput = 1;
    EXPECT_FALSE(Describe());
    EXPECT_EQ(m_Lines, (std::vector<std::wstring> { L"The parameter" }));
    EXPECT_FALSE(m_Filtered);

    m_Record.ExceptionInformation[2] = 0x10;
    EXPECT_FALSE(Describe());
    // Without a length, or without the parameters that hold it, there is no message and no line.
    m_Record.ExceptionInformation[2] = g_MessageAddress;
    m_Record.ExceptionInformation[1] = 0;
    EXPECT_FALSE(Describe());
    m_Record.ExceptionInformation[1] = 13;
    m_Record.NumberParameters = 2;
    EXPECT_FALSE(Describe());
    m_Record.NumberParameters = 3;
    m_Debug.m_OutputHandler = nullptr;
    m_Record.ExceptionInformation[2] = g_MessageAddress;
    EXPECT_FALSE(Describe());
    EXPECT_EQ(m_Lines.size(), 1u);
}

TEST_F(ExceptionDescription, GccThrowReadsAsTheSameTypeAnMsvcBuildThrows)
{
    // libstdc++'s record of a thrown exception: type_info pointer 80 bytes before the unwind
    // header, the header's exception class "GNUCC++\0", the object after the 64 bytes of the record's tail.
    uint64_t const Header = 0x7FF200100;
    uint64_t const TypeInfo = g_ImageBase + 0x5000;
    m_Debuggee.WriteValue<uint64_t>(Header - 80, TypeInfo);
    m_Debuggee.WriteValue<uint64_t>(Header, 0x474E5543432B2B00);
    m_Debuggee.WriteValue<uint64_t>(TypeInfo + 8, g_ImageBase + 0x6000);
    m_Debuggee.WriteText(g_ImageBase + 0x6000, "12ComException");
    std::vector<uint8_t> const Object = ComExceptionBytes(0x887A0002, g_MessageAddress);
    m_Debuggee.Write(Header + 64, Object.data(), Object.size());
    m_Debuggee.WriteText(g_MessageAddress, "No adapter");
    m_Record.ExceptionCode = g_GccThrowCode;
    m_Record.NumberParameters = 1;
    m_Record.ExceptionInformation[0] = Header;
    EXPECT_TRUE(Describe());

    // A record that is not the C++ runtime's is an exception like any other.
    m_Debuggee.WriteValue<uint64_t>(Header, 0x474E55434F424A43);
    EXPECT_TRUE(Describe());
    EXPECT_EQ(m_Tag, L"0x20474343");
    EXPECT_EQ(m_Lines, (std::vector<std::wstring> { L"Exception: Module app.exe, ComException, 0x887A0002, No adapter", L"Exception: " }));
}

TEST(MsvcTypeName, ItaniumNamesSpeltAsMsvcDecoratesThem)
{
    EXPECT_EQ(MsvcTypeName("i"), ".H");
    EXPECT_EQ(MsvcTypeName("10_com_error"), ".?AV_com_error@@");
    EXPECT_EQ(MsvcTypeName("N3ATL13CAtlExceptionE"), ".?AVCAtlException@ATL@@");
    // The standard library's abbreviations, alone and in nested names; ABI tags are left out.
    EXPECT_EQ(MsvcTypeName("St13runtime_error"), ".?AVruntime_error@std@@");
    EXPECT_EQ(MsvcTypeName("St9bad_alloc"), ".?AVbad_alloc@std@@");
    EXPECT_EQ(MsvcTypeName("NSt8ios_base7failureB5cxx11E"), ".?AVfailure@ios_base@std@@");
    EXPECT_EQ(MsvcTypeName("Sa"), ".?AVallocator@std@@");
    EXPECT_EQ(MsvcTypeName("Ss"), ".?AVstring@std@@");
    EXPECT_EQ(MsvcTypeName("NSs4InfoE"), ".?AVInfo@string@std@@");
    EXPECT_EQ(MsvcTypeName("So"), ".?AVostream@std@@");
    // What it cannot translate is kept.
    for(const char* Kept : { "St", "NStE", "St3Two3Ids", "Sx", "NSt5ErrorB5E", "12Short", "" })
        EXPECT_EQ(MsvcTypeName(Kept), Kept);
}

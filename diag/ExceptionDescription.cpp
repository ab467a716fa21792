#include "common/Text.h"
#include "diag/ThrownObject.h"
#include "diag/ThrownTypes.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

namespace
{
constexpr size_t g_ObjectBufferSize = 8192;
constexpr size_t g_MessageBufferSize = 8192;
constexpr size_t g_RuntimeErrorTextSize = 4096;
constexpr size_t g_DumpedByteCount = 20;

// "<n> bytes: " and the first 20 bytes in hexadecimal, "..." after them when there are more.
std::wstring ByteDumpPart(const unsigned char* Bytes, size_t Size)
{
    std::wstring Part = FormatText(L"%d bytes: ", static_cast<int>(Size));
    for(size_t Index = 0; Index < std::min(Size, g_DumpedByteCount); ++Index)
        Part += FormatText(L"%02X ", Bytes[Index]);
    Part.pop_back();
    if(Size > g_DumpedByteCount)
        Part += L"...";
    return Part;
}
} // namespace

std::wstring ParentProcessDebug::InitialDumpTag(const EXCEPTION_RECORD& Record)
{
    uint32_t Value = Record.ExceptionCode;
    if(Record.ExceptionCode == g_ClrExceptionCode && Record.NumberParameters >= 5)
        Value = static_cast<uint32_t>(Record.ExceptionInformation[0]);
    return FormatText(L"0x%08X", Value);
}

BOOL ParentProcessDebug::DescribeException(const DebuggeeReader& Reader, const EXCEPTION_RECORD& Record, std::wstring& DumpTag)
{
    if(Record.ExceptionCode == g_RuntimeErrorCode)
        return ShowRuntimeError(Reader, Record);
    if(Record.ExceptionCode == g_MsvcThrowCode)
        return DescribeThrownObject(Reader, ThrownObject::ReadMsvc(Reader, Record), DumpTag);
    ThrownObject Object;
    if(Record.ExceptionCode == g_GccThrowCode && ThrownObject::ReadGcc(Reader, Record, Object))
        return DescribeThrownObject(Reader, Object, DumpTag);
    ExceptionData Data;
    Data.m_Value = Record.ExceptionCode;
    return FilterAndPrint(Data, {});
}

BOOL ParentProcessDebug::DescribeThrownObject(const DebuggeeReader& Reader, const ThrownObject& Object, std::wstring& DumpTag)
{
    ExceptionData Data;
    Data.m_Module = Reader.ModulePath(Object.m_ModuleAddress);
    Data.m_Type = Object.m_Type;
    std::vector<std::wstring> Parts;
    if(!Data.m_Module.empty())
        Parts.push_back(FormatText(L"Module %ls", PathFindFileNameW(Data.m_Module.c_str())));
    std::vector<unsigned char> Bytes(std::min(Object.m_Size, g_ObjectBufferSize));
    if(!Bytes.empty() && Reader.Read(Object.m_Address, Bytes.data(), Bytes.size()))
    {
        Data.m_Data = Bytes.data();
        Data.m_DataSize = Bytes.size();
    }
    const ThrownType* const Recognised = Data.m_DataSize ? FindThrownType(Object.m_Type) : nullptr;
    if(Recognised)
    {
        Parts.push_back(Recognised->m_Label);
        if(Recognised->HoldsResult(Data.m_DataSize))
        {
            std::memcpy(&Data.m_Value, Bytes.data() + Recognised->m_ResultOffset, sizeof Data.m_Value);
            DumpTag = FormatText(L"0x%08X", Data.m_Value);
            Parts.push_back(DumpTag);
            uint64_t MessageAddress = 0;
            if(Recognised->m_HasMessage)
                std::memcpy(&MessageAddress, Bytes.data() + g_ComExceptionMessageOffset, sizeof MessageAddress);
            std::string Message;
            if(MessageAddress && Reader.ReadText(MessageAddress, g_MessageBufferSize, Message))
                Parts.push_back(DecodeUtf8(Message));
        }
        return FilterAndPrint(Data, Parts);
    }
    if(Data.m_DataSize)
        Parts.push_back(ByteDumpPart(Bytes.data(), Data.m_DataSize));
    if(!Object.m_Type.empty())
        Parts.push_back(FormatText(L"Type %hs", Object.m_Type.c_str()));
    return FilterAndPrint(Data, Parts);
}

BOOL ParentProcessDebug::ShowRuntimeError(const DebuggeeReader& Reader, const EXCEPTION_RECORD& Record) const
{
    if(!m_OutputHandler)
        return FALSE;
    size_t const Length = static_cast<uint32_t>(ExceptionParameter(Record, 1));
    std::vector<wchar_t> Text(g_RuntimeErrorTextSize, L'\0');
    size_t const Size = std::min(Length * sizeof(wchar_t), g_RuntimeErrorTextSize * sizeof(wchar_t));
    // A notification without its message (no length, or too few parameters) has nothing to show.
    if(!Size || !Reader.Read(ExceptionParameter(Record, 2), Text.data(), Size))
        return FALSE;
    Text[std::min(Length, g_RuntimeErrorTextSize - 1)] = L'\0';
    if(Text[0])
        Show(Text.data());
    return FALSE;
}

BOOL ParentProcessDebug::FilterAndPrint(const ExceptionData& Data, const std::vector<std::wstring>& Parts) const
{
    if(m_ExceptionFilter && !m_ExceptionFilter(Data))
        return FALSE;
    if(!m_OutputHandler)
        throw static_cast<HRESULT>(E_POINTER);
    // A part without text (an empty message) is left out with its separator.
    std::vector<std::wstring> Shown;
    std::copy_if(Parts.begin(), Parts.end(), std::back_inserter(Shown), [](const std::wstring& Part) { return !Part.empty(); });
    Show(FormatText(L"Exception: %ls", Join(Shown, L", ").c_str()));
    return TRUE;
}

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The thrown types that carry an HRESULT, by their MSVC decorated names, with the x64 layouts in
// which the debugger copy reads them out of the debuggee.
constexpr char g_HresultType[] = ".J";
constexpr char g_ComErrorType[] = ".?AV_com_error@@";
constexpr char g_AtlExceptionType[] = ".?AVCAtlException@ATL@@";
constexpr char g_ComExceptionType[] = ".?AVComException@@";

// ComException: the message pointer, the own-copy flag and m_Result at these bytes.
constexpr size_t g_ComExceptionMessageOffset = 8;
constexpr size_t g_ComExceptionOwnedOffset = 16;
constexpr size_t g_ComExceptionResultOffset = 24;
constexpr size_t g_ComExceptionSize = 32;

struct ThrownType
{
    const char* m_Name;
    // What the exception report calls it.
    const wchar_t* m_Label;
    // The object's size, which the GCC runtime does not tell.
    size_t m_Size;
    size_t m_ResultOffset;
    // A bare HRESULT is taken at its own size only; the classes from their result on.
    bool m_ExactSize;
    bool m_HasMessage;

    bool HoldsResult(size_t Size) const noexcept
    {
        return m_ExactSize ? Size == m_Size : Size >= m_ResultOffset + sizeof(int32_t);
    }
};

constexpr ThrownType g_ThrownTypes[] = {
    { g_HresultType, L"HRESULT", 4, 0, true, false },
    { g_ComErrorType, L"_com_error", 32, 8, false, false },
    { g_AtlExceptionType, L"ATL::CAtlException", 4, 0, false, false },
    { g_ComExceptionType, L"ComException", g_ComExceptionSize, g_ComExceptionResultOffset, false, true },
};

// The row of the type; null for the others.
inline const ThrownType* FindThrownType(const std::string& Name) noexcept
{
    for(const ThrownType& Type : g_ThrownTypes)
        if(Name == Type.m_Name)
            return &Type;
    return nullptr;
}

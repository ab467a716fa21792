#include "app/DebugCallbacks.h"

#include <gtest/gtest.h>

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

#include "app/Application.h"
#include "common/Text.h"
#include "tests/Caught.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace
{
Application::Configuration Parse(std::initializer_list<const wchar_t*> Values)
{
    Arguments List { L"Lumivex.exe" };
    for(const wchar_t* Value : Values)
        List.emplace_back(Value);
    return Application(List).m_Configuration;
}

// "ok", or the failure's code and message.
std::string Outcome(const ComException& Exception)
{
    return Exception.m_Result == S_OK ? "ok" : FormatText("0x%08X %hs", static_cast<unsigned int>(Exception.m_Result), Exception.what());
}
} // namespace

TEST(Configuration, OptionsAliasesAndValues)
{
    EXPECT_EQ(Parse({ L"-Resolution", L"1280", L"720" }).m_FrameSizeW, 1280u);
    EXPECT_EQ(Parse({ L"-RESOLUTION", L"1280", L"720" }).m_FrameSizeH, 720u);
    EXPECT_EQ(Parse({ L"-Re", L"1280", L"720" }).m_FrameSizeW, 1280u);
    Application::Configuration const Ignored = Parse({ L"-Resolution:1280", L"720", L"480" });
    EXPECT_EQ(Ignored.m_FrameSizeW, 720u);
    EXPECT_EQ(Ignored.m_FrameSizeH, 480u);
    EXPECT_EQ(Parse({ L"-fo", L"dxgi_format_r8g8b8a8_unorm" }).m_Format, DXGI_FORMAT_R8G8B8A8_UNORM);
    EXPECT_EQ(Parse({ L"-Format", L"R10G10B10A2" }).m_Format, DXGI_FORMAT_R10G10B10A2_UNORM);
    EXPECT_EQ(Parse({ L"-Format", L"r16g16b16a16" }).m_Format, DXGI_FORMAT_R16G16B16A16_FLOAT);
    EXPECT_EQ(Parse({ L"-ShaderIndex", L"abc" }).m_ShaderIndex, 0);
    EXPECT_EQ(Parse({ L"-Rate", L"-1", L"1" }).m_FrameRateN, 4294967295u);
    EXPECT_EQ(Parse({ L"-psi", L"-1" }).m_PresentSyncInterval, -1);
    EXPECT_EQ(Parse({ L"-ai", L"0x10" }).m_AdapterIndex, 0u);
    EXPECT_EQ(Parse({ L"-oi", L" 12abc" }).m_OutputIndex, 12u);
    EXPECT_EQ(Parse({ L"-bc", L"3", L"-bc", L"4" }).m_SwapChainBufferCount, 4u);
    EXPECT_EQ(Parse({ L"-ams", L"3", L"-wo", L"2", L"-at", L"1" }).m_WaitiableObjectMode, 2);

    Application::Configuration const Consumed = Parse({ L"-AdapterIndex", L"-Fullscreen" });
    EXPECT_EQ(Consumed.m_AdapterIndex, 0u);
    EXPECT_EQ(Consumed.m_FullscreenMode, FALSE);
    EXPECT_EQ(Parse({ L"-fs" }).m_FullscreenMode, TRUE);
}

TEST(Configuration, RejectedArguments)
{
    auto const Parsed = [](std::initializer_list<const wchar_t*> Values) { return Outcome(Caught([&] { Parse(Values); })); };
    EXPECT_EQ(Parsed({ L"-Resolution", L"1280" }), "0x80070057 Unknown exception");
    EXPECT_EQ(Parsed({ L"-Format", L"b8g8r8x8" }), "0x80070057 Unknown exception");
    EXPECT_EQ(Parsed({ L"-Format", L"87" }), "0x80070057 Unknown exception");
    EXPECT_EQ(Parsed({ L"-Rate", L"60", L"0" }), "0x80070057 Unknown exception");
    EXPECT_EQ(Parsed({ L"-Resolution", L"0", L"1" }), "0x80070057 Unknown exception");
    EXPECT_EQ(Parsed({ L"-ShaderIndex", L"4" }), "0x80070057 ShaderIndex argument is out of 0..3 range");
    EXPECT_EQ(Parsed({ L"-ShaderIndex", L"-1" }), "0x80070057 ShaderIndex argument is out of 0..3 range");
    EXPECT_EQ(Parsed({ L"-OverlayMode", L"2" }), "0x80070057 OverlayMode argument is out of 0..1 range");
    EXPECT_EQ(Parsed({ L"-Debug:Full", L"-DisableDebugOutput", L"-Foo" }), "ok");
}

TEST(Configuration, ValidateRules)
{
    auto const Validated = [](std::initializer_list<const wchar_t*> Values) { return Outcome(Caught([&] { Parse(Values).Validate(); })); };
    EXPECT_EQ(Validated({ L"-OverlayMode", L"1", L"-Format", L"r10g10b10a2" }),
        "0x80070057 Non-zero overlay mode requires DXGI_FORMAT_B8G8R8A8_UNORM format");
    EXPECT_EQ(Validated({ L"-OverlayMode", L"1" }), "ok");
    EXPECT_EQ(Validated({ L"-WaitableObject", L"3", L"-Fullscreen" }), "0x80070057 Use of waitiable object is not compatible with full screen mode");
    EXPECT_EQ(Validated({ L"-WaitableObject", L"3" }), "ok");
    EXPECT_EQ(Validated({ L"-AllowTearing", L"3", L"-PresentSyncInterval", L"1" }),
        "0x80070057 Forced enablement of allow tearing mode assumes zero Present sync interval");
    EXPECT_EQ(Validated({ L"-AllowTearing", L"3", L"-PresentSyncInterval", L"0" }), "ok");
    EXPECT_EQ(Validated({ L"-AllowTearing", L"2", L"-PresentSyncInterval", L"1" }), "ok");
    EXPECT_EQ(Validated({ L"-AllowTearing", L"3" }), "ok");
}

#include "diag/Check.h"
#include "tests/Caught.h"

#include <gtest/gtest.h>

#include <string>

TEST(ComException, CopiesOwnTheirMessage)
{
    ComException Copy(S_OK);
    {
        std::string Text = "ShaderIndex argument is out of 0..3 range";
        ComException const Original(E_INVALIDARG, Text.c_str());
        Text.assign(Text.size(), 'x');
        Copy = ComException(Original);
    }
    const std::exception& Base = Copy;
    EXPECT_STREQ(Base.what(), "ShaderIndex argument is out of 0..3 range");
    EXPECT_EQ(Copy.m_Result, E_INVALIDARG);
}

TEST(Check, HResultFailsOnNegativeCodesOnly)
{
    EXPECT_NO_THROW(CHECK_HRESULT(S_OK));
    EXPECT_NO_THROW(CHECK_HRESULT(S_FALSE));
    EXPECT_NO_THROW(CHECK_HRESULT(static_cast<HRESULT>(0x087A0001)));
    ComException const Exception = Caught([] { CHECK_HRESULT(static_cast<HRESULT>(0x887A0002)); });
    EXPECT_EQ(static_cast<uint32_t>(Exception.m_Result), 0x887A0002u);
    EXPECT_STREQ(Exception.what(), "Unknown exception");
}

TEST(Check, Win32TakesTheLastError)
{
    ComException const Exception = Caught([] { CHECK_WIN32((SetLastError(ERROR_ACCESS_DENIED), FALSE)); });
    EXPECT_EQ(static_cast<uint32_t>(Exception.m_Result), 0x80070005u);
    ComException const Zero = Caught([] { CHECK_WIN32((SetLastError(0), static_cast<HANDLE>(nullptr))); });
    EXPECT_EQ(Zero.m_Result, 0);
    EXPECT_EQ(static_cast<uint32_t>(LastErrorResult(0x12345)), 0x80072345u);
    EXPECT_EQ(static_cast<uint32_t>(LastErrorResult(0x80004005u)), 0x80004005u);
}

TEST(Check, ConditionCodesAndMessages)
{
    ComException const Invalid = Caught([] { CHECK_CONDITION(1 == 2, E_INVALIDARG); });
    EXPECT_EQ(Invalid.m_Result, E_INVALIDARG);
    EXPECT_STREQ(Invalid.what(), "Unknown exception");
    ComException const Message = Caught([] { CHECK_CONDITION(false, E_INVALIDARG, "OverlayMode argument is out of 0..1 range"); });
    EXPECT_STREQ(Message.what(), "OverlayMode argument is out of 0..1 range");
    int Line = 0;
    ComException const Numbered = Caught([&] { Line = __LINE__; CHECK_CONDITION(false, "no code of its own"); });
    EXPECT_EQ(static_cast<uint32_t>(Numbered.m_Result), 0x80FF0000u + Line);
    EXPECT_STREQ(Numbered.what(), "no code of its own");
    EXPECT_NO_THROW(CHECK_CONDITION(true, E_INVALIDARG));
}

#include "common/Arguments.h"

#include <gtest/gtest.h>

TEST(ParseOption, SplitsNameAndValue)
{
    std::wstring Name = L"old", Value = L"old";
    EXPECT_FALSE(ParseOption(L"", Name, Value));
    EXPECT_FALSE(ParseOption(L"/?", Name, Value));
    EXPECT_FALSE(ParseOption(L"1280", Name, Value));
    EXPECT_EQ(Name, L"old");
    EXPECT_EQ(Value, L"old");

    auto const Parsed = [&](const wchar_t* Argument) { return ParseOption(Argument, Name, Value) ? Name + L"|" + Value : std::wstring(L"none"); };
    EXPECT_EQ(Parsed(L"-Debug:Full"), L"Debug|Full");
    EXPECT_EQ(Parsed(L"-a:b:c"), L"a|b:c");
    EXPECT_EQ(Parsed(L"-Syntax"), L"Syntax|");
    EXPECT_EQ(Parsed(L"-"), L"|");
    EXPECT_EQ(Parsed(L"-x:"), L"x|");
}

#include "app/Arguments.h"
#include "app/Join.h"

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

TEST(Arguments, NextTakesValuesUntilTheEnd)
{
    Arguments const List { L"app.exe", L"1280", L"720" };
    size_t Index = 1;
    std::wstring Value;
    ASSERT_TRUE(List.Next(Index, Value));
    EXPECT_EQ(Value, L"1280");
    ASSERT_TRUE(List.Next(Index, Value));
    EXPECT_EQ(Value, L"720");
    EXPECT_EQ(Index, 3u);
    EXPECT_FALSE(List.Next(Index, Value));
    EXPECT_EQ(Index, 3u);
    EXPECT_EQ(Value, L"720");
}

TEST(Join, PutsTheSeparatorBetweenElements)
{
    EXPECT_EQ(Join(std::vector<std::wstring> {}, L", "), L"");
    EXPECT_EQ(Join(std::vector<std::wstring> { L"a" }, L", "), L"a");
    EXPECT_EQ(Join(std::vector<std::wstring> { L"app.exe", L"42", L"DebugException" }, L"-"), L"app.exe-42-DebugException");
    EXPECT_EQ(Join(std::vector<std::string> { "a", "b", "c" }, " | "), "a | b | c");
}

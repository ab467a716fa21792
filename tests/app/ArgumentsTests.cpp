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

    ASSERT_TRUE(ParseOption(L"-Debug:Full", Name, Value));
    EXPECT_EQ(Name, L"Debug");
    EXPECT_EQ(Value, L"Full");
    ASSERT_TRUE(ParseOption(L"-a:b:c", Name, Value));
    EXPECT_EQ(Name, L"a");
    EXPECT_EQ(Value, L"b:c");
    ASSERT_TRUE(ParseOption(L"-Syntax", Name, Value));
    EXPECT_EQ(Name, L"Syntax");
    EXPECT_EQ(Value, L"");
    ASSERT_TRUE(ParseOption(L"-", Name, Value));
    EXPECT_EQ(Name, L"");
    ASSERT_TRUE(ParseOption(L"-x:", Name, Value));
    EXPECT_EQ(Name, L"x");
    EXPECT_EQ(Value, L"");
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

#include "common/Arguments.h"

#include <windows.h>
#include <shellapi.h>

Arguments Arguments::FromCommandLine()
{
    Arguments Result;
    int Count = 0;
    LPWSTR* Values = CommandLineToArgvW(GetCommandLineW(), &Count);
    if(!Values)
        return Result;
    Result.assign(Values, Values + Count);
    LocalFree(Values);
    return Result;
}

bool Arguments::Next(size_t& Index, std::wstring& Value) const
{
    if(Index >= size())
        return false;
    Value = (*this)[Index++];
    return true;
}

bool ParseOption(const std::wstring& Argument, std::wstring& Name, std::wstring& Value)
{
    if(Argument.empty() || Argument[0] != L'-')
        return false;
    std::wstring Text = Argument.substr(1);
    size_t const Separator = Text.find(L':');
    if(Separator == std::wstring::npos)
    {
        Name = Text;
        Value.clear();
    }
    else
    {
        Name = Text.substr(0, Separator);
        Value = Text.substr(Separator + 1);
    }
    return true;
}

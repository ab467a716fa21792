#include "app/Join.h"

namespace
{
template <typename String, typename Character>
String JoinElements(const std::vector<String>& Elements, const Character* Separator)
{
    String Result;
    for(size_t Index = 0; Index < Elements.size(); ++Index)
    {
        if(Index)
            Result += Separator;
        Result += Elements[Index];
    }
    return Result;
}
} // namespace

std::wstring Join(const std::vector<std::wstring>& Elements, const wchar_t* Separator)
{
    return JoinElements(Elements, Separator);
}

std::string Join(const std::vector<std::string>& Elements, const char* Separator)
{
    return JoinElements(Elements, Separator);
}

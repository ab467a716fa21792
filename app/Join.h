#pragma once

#include <string>
#include <vector>

// The elements joined with Separator between consecutive ones.
std::wstring Join(const std::vector<std::wstring>& Elements, const wchar_t* Separator);
std::string Join(const std::vector<std::string>& Elements, const char* Separator);

#pragma once

#include <string>
#include <vector>

// The command line as CommandLineToArgvW splits it; element 0 is the program path.
class Arguments : public std::vector<std::wstring>
{
public:
    using std::vector<std::wstring>::vector;

    // The process command line (GetCommandLineW); empty when it cannot be split.
    static Arguments FromCommandLine();

    // Copies element Index into Value and moves Index on; false past the end.
    bool Next(size_t& Index, std::wstring& Value) const;
};

// Splits "-Name:Value" into its name and value; false (name and value untouched) for an argument
// that does not begin with "-".
bool ParseOption(const std::wstring& Argument, std::wstring& Name, std::wstring& Value);

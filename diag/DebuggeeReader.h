#pragma once

#include "diag/ParentProcessDebug.h"

#include <cstdint>
#include <string>

// What the debugger copy reads of the debuggee: its memory and the modules that hold an address.
// The exception report reads through this interface only, so that it can be given bytes of its own.
class ParentProcessDebug::DebuggeeReader
{
public:
    virtual ~DebuggeeReader() = default;

    // Copies Size bytes from Address; false unless every byte could be read.
    virtual bool Read(uint64_t Address, void* Buffer, size_t Size) const = 0;
    // The full image path of the module that holds Address; empty when it is unknown.
    virtual std::wstring ModulePath(uint64_t Address) const = 0;

    template <typename Value>
    bool ReadValue(uint64_t Address, Value& Result) const
    {
        return Read(Address, &Result, sizeof Result);
    }

    // The text at Address up to its first NUL, at most BufferSize - 1 characters. The text is read a
    // page at a time, so that one that ends just before unreadable memory is still read; false when
    // not even its first character can be read.
    bool ReadText(uint64_t Address, size_t BufferSize, std::string& Text) const;
    bool ReadText(uint64_t Address, size_t BufferSize, std::wstring& Text) const;
    // The size of the image mapped at Base, as its PE headers give it; false when they cannot be read.
    bool ReadImageSize(uint64_t Base, uint64_t& Size) const;

private:
    template <typename Character>
    bool ReadTextOf(uint64_t Address, size_t BufferSize, std::basic_string<Character>& Text) const;
};

#pragma once

#include "diag/DebuggeeReader.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>

// Memory of an imagined debuggee, in whole pages: a read succeeds only when every page it touches
// was written to.
class FakeDebuggee : public ParentProcessDebug::DebuggeeReader
{
public:
    static constexpr uint64_t g_PageSize = 4096;

    void Write(uint64_t Address, const void* Bytes, size_t Size)
    {
        for(size_t Index = 0; Index < Size; ++Index)
            Page(Address + Index)[(Address + Index) % g_PageSize] = static_cast<const uint8_t*>(Bytes)[Index];
    }

    template <typename Value>
    void WriteValue(uint64_t Address, const Value& Data)
    {
        Write(Address, &Data, sizeof Data);
    }

    void WriteText(uint64_t Address, const std::string& Text)
    {
        Write(Address, Text.c_str(), Text.size() + 1);
    }

    // The one module that the debuggee has.
    void SetModule(uint64_t Base, uint64_t Size, const std::wstring& Path)
    {
        m_ModuleBase = Base;
        m_ModuleSize = Size;
        m_ModulePath = Path;
    }

    bool Read(uint64_t Address, void* Buffer, size_t Size) const override
    {
        for(size_t Index = 0; Index < Size; ++Index)
        {
            auto const Found = m_Pages.find((Address + Index) / g_PageSize);
            if(Found == m_Pages.end())
                return false;
            static_cast<uint8_t*>(Buffer)[Index] = Found->second[(Address + Index) % g_PageSize];
        }
        return true;
    }

    std::wstring ModulePath(uint64_t Address) const override
    {
        return Address >= m_ModuleBase && Address - m_ModuleBase < m_ModuleSize ? m_ModulePath : std::wstring();
    }

private:
    std::array<uint8_t, g_PageSize>& Page(uint64_t Address)
    {
        auto Inserted = m_Pages.try_emplace(Address / g_PageSize);
        if(Inserted.second)
            Inserted.first->second.fill(0);
        return Inserted.first->second;
    }

    std::map<uint64_t, std::array<uint8_t, g_PageSize>> m_Pages;
    uint64_t m_ModuleBase = 0;
    uint64_t m_ModuleSize = 0;
    std::wstring m_ModulePath;
};

#pragma once

#include <windows.h>

#include <exception>

// The exception of every failed check: an HRESULT and an optional own copy of a message.
// Its x64 layout is read out of the process by the debugger copy: message pointer at byte 8,
// own-copy flag at byte 16, m_Result at byte 24, 32 bytes in all, with every toolchain.
class ComException : public std::exception
{
public:
    explicit ComException(HRESULT Result) noexcept;
    ComException(HRESULT Result, const char* Message);
    ComException(const ComException& Other);
    ComException& operator=(const ComException& Other);
    ~ComException() override;

#if !defined(_MSC_VER)
    // libstdc++'s std::exception holds no message, so this class keeps the base part's fields itself.
    const char* what() const noexcept override;

private:
    void Assign(const char* Message);

    // Laid out as the MSVC base part: the pointer and the flag padded to 16 bytes together.
    struct MessageData
    {
        const char* m_Text = nullptr;
        bool m_Owned = false;
    };
    MessageData m_Message;

public:
#endif
    HRESULT m_Result;

    static void CheckLayout() noexcept;
};

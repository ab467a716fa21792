#pragma once

#include <windows.h>

// Owner of one kernel handle, closed when the owner goes out of scope. A failed close raises a
// non-continuable structured exception with the last error's HRESULT.
template <HANDLE (*InvalidValue)()>
class ScopedHandleT
{
public:
    ScopedHandleT() noexcept = default;
    explicit ScopedHandleT(HANDLE Handle) noexcept : m_Handle(Handle)
    {
    }
    ScopedHandleT(const ScopedHandleT&) = delete;
    ScopedHandleT& operator=(const ScopedHandleT&) = delete;
    ScopedHandleT(ScopedHandleT&& Other) noexcept : m_Handle(Other.Detach())
    {
    }
    ScopedHandleT& operator=(ScopedHandleT&& Other) noexcept
    {
        Attach(Other.Detach());
        return *this;
    }
    ~ScopedHandleT()
    {
        Close();
    }

    bool IsValid() const noexcept
    {
        return m_Handle != InvalidValue();
    }
    HANDLE Get() const noexcept
    {
        return m_Handle;
    }
    HANDLE* GetAddressOf() noexcept
    {
        return &m_Handle;
    }
    void Attach(HANDLE Handle) noexcept
    {
        Close();
        m_Handle = Handle;
    }
    HANDLE Detach() noexcept
    {
        HANDLE const Handle = m_Handle;
        m_Handle = InvalidValue();
        return Handle;
    }
    void Close() noexcept
    {
        if(!IsValid())
            return;
        HANDLE const Handle = Detach();
        if(!CloseHandle(Handle))
            RaiseCloseFailure();
    }

private:
    static void RaiseCloseFailure() noexcept
    {
        DWORD const Error = GetLastError();
        DWORD const Code = static_cast<LONG>(Error) > 0 ? 0x80070000u | (Error & 0xFFFFu) : Error;
        RaiseException(Code, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    }

    HANDLE m_Handle = InvalidValue();
};

inline HANDLE NullHandleValue()
{
    return nullptr;
}

inline HANDLE InvalidHandleValue()
{
    return INVALID_HANDLE_VALUE;
}

using ScopedHandle = ScopedHandleT<NullHandleValue>;
using ScopedFileHandle = ScopedHandleT<InvalidHandleValue>;

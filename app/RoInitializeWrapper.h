#pragma once

#include <roapi.h>

// Initialises the Windows Runtime for the thread and uninitialises it when it succeeded.
class RoInitializeWrapper
{
public:
    explicit RoInitializeWrapper(RO_INIT_TYPE Type) noexcept : m_Result(RoInitialize(Type))
    {
    }
    RoInitializeWrapper(const RoInitializeWrapper&) = delete;
    RoInitializeWrapper& operator=(const RoInitializeWrapper&) = delete;
    ~RoInitializeWrapper()
    {
        if(SUCCEEDED(m_Result))
            RoUninitialize();
    }

    operator HRESULT() const noexcept
    {
        return m_Result;
    }

private:
    HRESULT m_Result;
};

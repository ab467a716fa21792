#include "diag/ComException.h"

#include <cstddef>
#include <cstring>

#if defined(_MSC_VER)

// The MSVC standard exception copies the message itself and reads "Unknown exception" without one.
ComException::ComException(HRESULT Result) noexcept : m_Result(Result)
{
}

ComException::ComException(HRESULT Result, const char* Message) : std::exception(Message), m_Result(Result)
{
}

ComException::ComException(const ComException& Other) : std::exception(Other), m_Result(Other.m_Result)
{
}

ComException& ComException::operator=(const ComException& Other)
{
    std::exception::operator=(Other);
    m_Result = Other.m_Result;
    return *this;
}

ComException::~ComException()
{
}

#else

ComException::ComException(HRESULT Result) noexcept : m_Result(Result)
{
}

ComException::ComException(HRESULT Result, const char* Message) : m_Result(Result)
{
    Assign(Message);
}

ComException::ComException(const ComException& Other) : std::exception(Other), m_Result(Other.m_Result)
{
    Assign(Other.m_Message.m_Text);
}

ComException& ComException::operator=(const ComException& Other)
{
    if(this != &Other)
    {
        Assign(Other.m_Message.m_Text);
        m_Result = Other.m_Result;
    }
    return *this;
}

ComException::~ComException()
{
    Assign(nullptr);
}

const char* ComException::what() const noexcept
{
    return m_Message.m_Text ? m_Message.m_Text : "Unknown exception";
}

void ComException::Assign(const char* Message)
{
    char* Copy = nullptr;
    if(Message)
    {
        size_t const Size = strlen(Message) + 1;
        Copy = new char[Size];
        memcpy(Copy, Message, Size);
    }
    if(m_Message.m_Owned)
        delete[] m_Message.m_Text;
    m_Message.m_Text = Copy;
    m_Message.m_Owned = Copy != nullptr;
}

#endif

void ComException::CheckLayout() noexcept
{
    static_assert(sizeof(ComException) == 32, "ComException is 32 bytes on x64");
    static_assert(offsetof(ComException, m_Result) == 24, "m_Result sits at byte 24");
#if !defined(_MSC_VER)
    static_assert(offsetof(ComException, m_Message) + offsetof(MessageData, m_Text) == 8, "the message pointer sits at byte 8");
    static_assert(offsetof(ComException, m_Message) + offsetof(MessageData, m_Owned) == 16, "the own-copy flag sits at byte 16");
#endif
}

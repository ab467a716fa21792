#include "diag/ComException.h"

#include "diag/ThrownTypes.h"

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
    static_assert(sizeof(ComException) == g_ComExceptionSize, "ComException has the size that the debugger copy reads");
    static_assert(offsetof(ComException, m_Result) == g_ComExceptionResultOffset, "m_Result sits where the debugger copy reads it");
#if !defined(_MSC_VER)
    static_assert(offsetof(ComException, m_Message) + offsetof(MessageData, m_Text) == g_ComExceptionMessageOffset, "the message pointer sits where the debugger copy reads it");
    static_assert(offsetof(ComException, m_Message) + offsetof(MessageData, m_Owned) == g_ComExceptionOwnedOffset, "the own-copy flag sits where the debugger copy reads it");
#endif
}

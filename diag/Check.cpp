#include "diag/Check.h"

HRESULT LastErrorResult(DWORD Error) noexcept
{
    LONG const Value = static_cast<LONG>(Error);
    if(Value > 0)
        return static_cast<HRESULT>(0x80070000u | (Error & 0xFFFFu));
    return static_cast<HRESULT>(Value);
}

HRESULT LastErrorResult() noexcept
{
    return LastErrorResult(GetLastError());
}

void ThrowCheckFailure(const TraceSite& Site, HRESULT Result, const char* Expression, const char* Message)
{
    Site(L"Throwing an exception, 0x%08X, expression %hs\n", static_cast<unsigned int>(Result), Expression);
    if(Message)
        throw ComException(Result, Message);
    throw ComException(Result);
}

void CheckResult(const TraceSite& Site, HRESULT Result, const char* Expression)
{
    if(FAILED(Result))
        ThrowCheckFailure(Site, Result, Expression);
}

void ThrowLastErrorFailure(const TraceSite& Site, const char* Expression)
{
    HRESULT const Result = LastErrorResult();
    ThrowCheckFailure(Site, Result, Expression);
}

void ThrowConditionFailure(const TraceSite& Site, const char* Expression, const CheckCondition& Condition)
{
    HRESULT Result = Condition.m_Result;
    if(!Result)
        Result = static_cast<HRESULT>(0x80FF0000u + static_cast<unsigned int>(Site.Line));
    ThrowCheckFailure(Site, Result, Expression, Condition.m_Message);
}

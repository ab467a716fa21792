#pragma once

#include "diag/ComException.h"
#include "diag/Trace.h"

#include <windows.h>

// The failure code of a call that reports failure by false, zero or null: the last error as HRESULT.
HRESULT LastErrorResult() noexcept;
HRESULT LastErrorResult(DWORD Error) noexcept;

// The code and message of a condition check; a check naming no code fails with 0x80FF0000 plus its line.
struct CheckCondition
{
    CheckCondition(HRESULT Result, const char* Message = nullptr) noexcept : m_Result(Result), m_Message(Message)
    {
    }
    CheckCondition(const char* Message) noexcept : m_Message(Message)
    {
    }

    HRESULT m_Result = 0;
    const char* m_Message = nullptr;
};

// Writes the trace line "Throwing an exception, 0x%08X, expression %hs" and throws ComException.
[[noreturn]] void ThrowCheckFailure(const TraceSite& Site, HRESULT Result, const char* Expression, const char* Message = nullptr);
void CheckResult(const TraceSite& Site, HRESULT Result, const char* Expression);
[[noreturn]] void ThrowLastErrorFailure(const TraceSite& Site, const char* Expression);
[[noreturn]] void ThrowConditionFailure(const TraceSite& Site, const char* Expression, const CheckCondition& Condition);

#define CHECK_HRESULT(Expression) ::CheckResult(TRACE_SITE, (Expression), #Expression)

#define CHECK_WIN32(Expression) \
    do \
    { \
        if(!(Expression)) \
            ::ThrowLastErrorFailure(TRACE_SITE, #Expression); \
    } while(false)

// CHECK_CONDITION(Condition, Result[, Message]) or CHECK_CONDITION(Condition, Message).
#define CHECK_CONDITION(Condition, ...) \
    do \
    { \
        if(!(Condition)) \
            ::ThrowConditionFailure(TRACE_SITE, #Condition, ::CheckCondition { __VA_ARGS__ }); \
    } while(false)

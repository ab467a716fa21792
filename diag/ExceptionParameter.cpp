#include "diag/ThrownObject.h"

uint64_t ExceptionParameter(const EXCEPTION_RECORD& Record, DWORD Index) noexcept
{
    if(Index >= Record.NumberParameters || Index >= EXCEPTION_MAXIMUM_PARAMETERS)
        return 0;
    return Record.ExceptionInformation[Index];
}

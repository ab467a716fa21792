#pragma once

#include "diag/ComException.h"

#include <windows.h>

// The ComException that Action throws; one with S_OK when it throws none.
template<typename ActionFunction>
ComException Caught(ActionFunction&& Action)
{
    try
    {
        Action();
    }
    catch(const ComException& Exception)
    {
        return Exception;
    }
    return ComException(S_OK);
}

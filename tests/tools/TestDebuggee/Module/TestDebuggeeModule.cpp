// A module of the test debuggee other than its executable: the report of a throw from here names it.
#include <windows.h>

extern "C" __declspec(dllexport) void ThrowFromModule()
{
    try
    {
        throw static_cast<long>(E_NOTIMPL);
    }
    catch(long)
    {
    }
}

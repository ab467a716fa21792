#include "diag/ParentProcessDebug.h"

namespace
{
// The console's control events reach the debugger copy as well as its debuggee, and the copy is to
// report to the debuggee's end. Ctrl+C and Ctrl+Break are the debuggee's to act on. A closing console
// ends the copy once the handler returns, so it does not: the copy ends with its debugging run, or
// when the system's time-out runs out.
BOOL WINAPI OutliveControlEvent(DWORD ControlType) noexcept
{
    if(ControlType != CTRL_C_EVENT && ControlType != CTRL_BREAK_EVENT)
        Sleep(INFINITE);
    return TRUE;
}
} // namespace

void ParentProcessDebug::OutliveConsoleControl()
{
    // Without it the copy would take the system's default, which ends it at once.
    SetConsoleCtrlHandler(OutliveControlEvent, TRUE);
}

bool ParentProcessDebug::IsConsoleControlException(DWORD Code) noexcept
{
    return Code == DBG_CONTROL_C || Code == DBG_CONTROL_BREAK;
}

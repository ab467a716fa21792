#pragma once

#include "diag/ParentProcessDebug.h"

// Shows one line of the debugger copy on the console.
void OutputDebugText(const wchar_t* Text);

// 0 for the exceptions that are part of normal operation (thread naming, the unwinding of a GCC
// throw, the shader cache's and the Direct3D runtime's own handled errors), 1 for every other.
int FilterDebugException(const ParentProcessDebug::ExceptionData& Data);

// Installs the two callbacks above.
void ConfigureParentProcessDebug(ParentProcessDebug& Debug);

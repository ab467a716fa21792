#pragma once

#include "common/Arguments.h"
#include "diag/ParentProcessDebug.h"

#include <roapi.h>

// What main puts together: the mode that the command line asks for, the two modes that do not render,
// the debugger copy's callbacks and the Windows Runtime's scope for the thread.

enum class ProgramMode
{
    Run,
    Syntax,
    EnumerateAdapters,
};

// The mode of the first mode option on the command line; Run without one.
ProgramMode FindProgramMode(const Arguments& Arguments);

// Writes the syntax text to the console.
void PrintSyntax();

// Lists the factory's tearing support, every DXGI adapter and every output of each on the console.
void PrintAdapterReport();

// Shows one line of the debugger copy on the console.
void OutputDebugText(const wchar_t* Text);

// 0 for the exceptions that are part of normal operation (thread naming, the unwinding of a GCC
// throw, the shader cache's and the Direct3D runtime's own handled errors), 1 for every other.
int FilterDebugException(const ParentProcessDebug::ExceptionData& Data);

// Installs the two callbacks above.
void ConfigureParentProcessDebug(ParentProcessDebug& Debug);

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

#include "app/Application.h"
#include "app/Program.h"
#include "common/Text.h"
#include "diag/Check.h"
#include "diag/ConsoleOutput.h"
#include "diag/TraceProvider.h"

int main()
{
    TraceLoggingRegister();
    Arguments Arguments = Arguments::FromCommandLine();
    try
    {
        if(ParentProcessDebug::RunDebugger(Arguments, ConfigureParentProcessDebug))
            return 0;
    }
    catch(HRESULT Result)
    {
        // The debugger copy could not attach: it ends with the failure's code.
        return Result;
    }
    catch(...)
    {
        // Nor does any other failure of the debugger copy end it abnormally.
        return E_UNEXPECTED;
    }
    ParentProcessDebug::StartDebugger(Arguments);
    try
    {
        // Named after its class, which the failure's trace line names.
        RoInitializeWrapper RoInitializeWrapper(RO_INIT_MULTITHREADED);
        CHECK_HRESULT(RoInitializeWrapper);
        switch(FindProgramMode(Arguments))
        {
        case ProgramMode::Syntax:
            PrintSyntax();
            return 0;
        case ProgramMode::EnumerateAdapters:
            PrintAdapterReport();
            return 0;
        case ProgramMode::Run:
            break;
        }
        Application Application(Arguments);
        Application.Do();
    }
    catch(const ComException& Exception)
    {
        PrintLine(FormatText("Exception: 0x%08X %hs", static_cast<unsigned int>(Exception.m_Result), Exception.what()));
    }
    catch(...)
    {
        PrintLine("Exception");
    }
    TraceLoggingUnregister();
    return 0;
}

#include "app/AdapterReport.h"
#include "app/Application.h"
#include "app/Arguments.h"
#include "app/DebugCallbacks.h"
#include "app/RoInitializeWrapper.h"
#include "app/Syntax.h"
#include "diag/Check.h"
#include "diag/ConsoleOutput.h"
#include "diag/FormatText.h"
#include "diag/ParentProcessDebug.h"
#include "diag/TraceProvider.h"

namespace
{
enum class Mode
{
    Run,
    Syntax,
    EnumerateAdapters,
};

Mode FindMode(const Arguments& Arguments)
{
    for(const std::wstring& Argument : Arguments)
    {
        std::wstring Name, Value;
        if(!ParseOption(Argument, Name, Value))
            continue;
        if(_wcsicmp(Name.c_str(), L"Syntax") == 0 || _wcsicmp(Name.c_str(), L"?") == 0)
            return Mode::Syntax;
        if(_wcsicmp(Name.c_str(), L"EnumerateAdapters") == 0 || _wcsicmp(Name.c_str(), L"ea") == 0)
            return Mode::EnumerateAdapters;
    }
    return Mode::Run;
}
} // namespace

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
        switch(FindMode(Arguments))
        {
        case Mode::Syntax:
            PrintSyntax();
            return 0;
        case Mode::EnumerateAdapters:
            PrintAdapterReport();
            return 0;
        case Mode::Run:
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

#include "diag/Check.h"
#include "diag/DebugSession.h"
#include "diag/DebugText.h"
#include "diag/FormatText.h"

#include <cstdint>

bool ParentProcessDebug::FindTarget(const Arguments& Arguments, Target& Target)
{
    Target = {};
    size_t Index = 0;
    bool Found = false;
    while(!Found && Index < Arguments.size())
    {
        std::wstring Name, Value;
        if(!ParseOption(Arguments[Index++], Name, Value))
            continue;
        // The copy's own options, written by the first process, are compared as they are.
        if(Name == L"DisableDebugOutput")
            Target.m_DisableDebugOutput = 1;
        else if(Name == L"ParentProcessDebug")
            Found = true;
    }
    if(!Found)
        return false;
    std::wstring Value;
    if(!Arguments.Next(Index, Value))
        return false;
    Target.m_ProcessId = static_cast<DWORD>(_wtoi(Value.c_str()));
    if(!Target.m_ProcessId)
        return false;
    if(Arguments.Next(Index, Value))
        Target.m_DumpType = static_cast<DWORD>(_wtoi(Value.c_str()));
    if(Arguments.Next(Index, Value))
        Target.m_ReadyEvent = reinterpret_cast<HANDLE>(static_cast<intptr_t>(_wtoi(Value.c_str())));
    return true;
}

BOOL ParentProcessDebug::RunDebugger(const Arguments& Arguments, std::function<void(ParentProcessDebug&)> Configure)
{
    Target Target;
    if(!FindTarget(Arguments, Target))
        return FALSE;
    ParentProcessDebug Debug;
    Debug.m_DisableDebugOutput = Target.m_DisableDebugOutput;
    if(Configure)
        Configure(Debug);
    Debug.DebugProcess(Target.m_ProcessId, Target.m_DumpType, Target.m_ReadyEvent);
    return TRUE;
}

void ParentProcessDebug::DebugProcess(DWORD ProcessId, DWORD DumpType, HANDLE ReadyEvent)
{
    OutliveConsoleControl();
    if(!DebugActiveProcess(ProcessId))
        throw LastErrorResult();
    if(ReadyEvent)
        SetEvent(ReadyEvent);
    // Any failure inside the run ends it quietly; the debuggee runs on without a debugger.
    try
    {
        DebugSession Session(*this, ProcessId, DumpType);
        Session.Run();
    }
    catch(...)
    {
    }
}

void ParentProcessDebug::ShowDebugText(std::wstring Text) const
{
    if(m_DisableDebugOutput || !m_OutputHandler || !TrimDebugText(Text))
        return;
    Show(Text);
}

void ParentProcessDebug::ShowDumpFailure(HRESULT Result, const std::wstring& Path) const
{
    if(m_OutputHandler)
        Show(FormatText(L"Minidump Failure: 0x%08X %ls", static_cast<unsigned int>(Result), Path.c_str()));
}

void ParentProcessDebug::Show(const std::wstring& Text) const
{
    m_OutputHandler(TerminalSafeText(Text).c_str());
}

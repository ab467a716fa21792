#include "diag/SymbolHandler.h"

#include <dbghelp.h>

ParentProcessDebug::SymbolHandler::~SymbolHandler()
{
    if(Started())
        SymCleanup(m_Process);
}

bool ParentProcessDebug::SymbolHandler::Start() noexcept
{
    if(m_State == State::NotStarted)
        m_State = SymInitializeW(m_Process, nullptr, FALSE) ? State::Started : State::Failed;
    return Started();
}

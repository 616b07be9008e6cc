// modal_loop_script.cpp - CModalLoopScript.

#include "modal_loop_script.h"

#include <deque>

namespace
{
// The script of this thread's modal loops (a plain pointer: nothing to destroy).
thread_local CModalLoopScript* t_pCurrentModalScript = NULL;

void AFXAPI IdleHook(CWnd* pWnd)
{
    CModalLoopScript::OnModalIdle(pWnd);
}
} // namespace

struct CModalLoopScript::CData
{
    std::deque<Step> m_steps;
};

CModalLoopScript::CModalLoopScript(int nDefaultResult)
{
    m_pData = new CData;
    m_nDefaultResult = nDefaultResult;
    m_nStepsRun = 0;
    m_nEndedByDefault = 0;
    m_pPrevious = t_pCurrentModalScript;
    t_pCurrentModalScript = this;
    AfxSetModalIdleHook(IdleHook);
}

CModalLoopScript::~CModalLoopScript()
{
    if (t_pCurrentModalScript == this)
        t_pCurrentModalScript = m_pPrevious;
    delete m_pData;
}

void CModalLoopScript::AddStep(Step step)
{
    m_pData->m_steps.push_back(step);
}

int CModalLoopScript::GetPendingSteps() const
{
    return (int)m_pData->m_steps.size();
}

CModalLoopScript* PASCAL CModalLoopScript::GetCurrent()
{
    return t_pCurrentModalScript;
}

BOOL PASCAL CModalLoopScript::OnModalIdle(CWnd* pWnd)
{
    CModalLoopScript* pScript = GetCurrent();
    if (pScript == NULL)
        return FALSE;
    if (!pScript->m_pData->m_steps.empty())
    {
        Step step = pScript->m_pData->m_steps.front();
        pScript->m_pData->m_steps.pop_front();
        ++pScript->m_nStepsRun;
        step(pWnd);
        return TRUE;
    }
    // nothing left to do: end the loop instead of waiting forever
    ++pScript->m_nEndedByDefault;
    pWnd->EndModalLoop(pScript->m_nDefaultResult);
    return TRUE;
}

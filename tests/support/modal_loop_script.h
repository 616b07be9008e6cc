// modal_loop_script.h - CModalLoopScript: drives modal loops in tests.

#pragma once

#include "afxwin.h"

#include <functional>

// CModalLoopScript: drives modal loops in tests.
//
// While a script lives, each time a modal loop of this thread (RunModalLoop, and
// the loops built on it) runs out of messages, the next step is called with the
// window of the loop; a step may post messages, change controls or end the loop
// (EndModalLoop). When the steps run out, the loop is ended with the default
// result, so a test never hangs in a modal loop.
//
//     CModalLoopScript script;
//     script.AddStep([](CWnd* pWnd) { pWnd->EndModalLoop(IDOK); });
//     ... code that runs a modal loop ...
//     EXPECT_EQ(1, script.GetStepsRun());

class CModalLoopScript
{
public:
    typedef std::function<void(CWnd* pWnd)> Step;

    explicit CModalLoopScript(int nDefaultResult = IDCANCEL);
    ~CModalLoopScript();
    CModalLoopScript(const CModalLoopScript&) = delete;
    CModalLoopScript& operator=(const CModalLoopScript&) = delete;

    void AddStep(Step step);
    int GetStepsRun() const { return m_nStepsRun; }
    int GetPendingSteps() const;
    int GetLoopsEndedByDefault() const { return m_nEndedByDefault; }

    // Called by the modal loops when they are idle (through the modal-loop hook); TRUE
    // when a step ran or the loop was ended.
    static BOOL PASCAL OnModalIdle(CWnd* pWnd);
    static CModalLoopScript* PASCAL GetCurrent();

private:
    struct CData;
    CData* m_pData;
    int m_nDefaultResult;
    int m_nStepsRun;
    int m_nEndedByDefault;
    CModalLoopScript* m_pPrevious;
};

// The fixture of the tab group tests: two resizable bars docked at frame sides.
#pragma once

#include "../uibars_support.h"

class GroupTest : public UiBarsTest
{
protected:
    CTestResizableBar* m_pA = NULL;
    CTestResizableBar* m_pB = NULL;

    void DockTwoBars(UINT nSideA, UINT nSideB)
    {
        m_pA = NewBar(0xE810, "Alpha");
        m_pB = NewBar(0xE811, "Beta");
        ASSERT_TRUE(m_pA->DockToFrameSide(nSideA));
        ASSERT_TRUE(m_pB->DockToFrameSide(nSideB));
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
    }
    CRect ScreenRect(CWnd* pWnd)
    {
        CRect rc;
        pWnd->GetWindowRect(&rc);
        return rc;
    }
};

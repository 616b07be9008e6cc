// The fixture of the pointer tests of the design view: a shown publication in a main window
// of a fixed size, presses and releases posted to the view window, the popup that tracks.
#pragma once

#include "doc_program.h"
#include "test_support.h"
#include "model/Elements.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"

#include <string>

class ViewPointer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_program.m_pApp->m_pMainWnd->SetWindowPos(NULL, 0, 0, 1024, 768, SWP_NOZORDER | SWP_NOACTIVATE);
        m_pDoc = m_program.NewShownDoc();
        m_pView = m_program.ActiveView();
        ASSERT_TRUE(m_pDoc != NULL && m_pView != NULL);
    }

    void TearDown() override
    {
        CExtPopupMenuWnd::CancelTracking();
        PumpPendingMessages();
    }

    // The client pixel of a document position.
    CPoint Pixel(CPoint ptDoc)
    {
        m_pView->LogicalToDevice(ptDoc);
        return ptDoc;
    }

    // A press and a release of a button at a document position, queued as the system
    // queues them, then handled; the right release makes the context menu.
    void Click(CPoint ptDoc, bool bRight = false)
    {
        const CPoint pt = Pixel(ptDoc);
        CRect rectClient;
        m_pView->GetClientRect(&rectClient);
        ASSERT_TRUE(rectClient.PtInRect(pt)) << pt.x << "," << pt.y;
        const LPARAM lParam = MAKELPARAM(pt.x, pt.y);
        ::PostMessageA(m_pView->m_hWnd, bRight ? WM_RBUTTONDOWN : WM_LBUTTONDOWN,
                       bRight ? MK_RBUTTON : MK_LBUTTON, lParam);
        ::PostMessageA(m_pView->m_hWnd, bRight ? WM_RBUTTONUP : WM_LBUTTONUP, 0, lParam);
        PumpPendingMessages();
    }

    // A press, moves and a release: a drag from one document position to another.
    void Drag(CPoint ptFrom, CPoint ptTo)
    {
        PostDrag(m_pView->m_hWnd, Pixel(ptFrom), Pixel(ptTo));
    }

    CElement* Selected()
    {
        return m_pDoc->m_listSelection.GetCount() == 1 ? m_pDoc->m_listSelection.GetHead() : NULL;
    }

    // The popup that tracks, once it is shown and its opening has run; NULL when none.
    CExtPopupMenuWnd* TrackedPopup()
    {
        const DWORD nStart = ::GetTickCount();
        for (;;)
        {
            CExtPopupMenuWnd* pPopup = g_TrackingSite.m_pWndRoot;
            if (pPopup != NULL && pPopup->GetSafeHwnd() != NULL && pPopup->IsWindowVisible()
                && g_TrackingSite.m_pWndAnimation == NULL)
                return pPopup;
            if (::GetTickCount() - nStart > 2000)
                return NULL;
            CExtPopupMenuWnd::PumpPendingMessages(false);
            ::Sleep(5);
        }
    }

    // "text=id" of every item (separators "-"), with the accelerator after a tab; a sub-menu
    // lists its items in braces. Items hidden behind the expand button are marked "(hidden)".
    static std::string Items(CExtPopupMenuWnd* pPopup)
    {
        std::string s;
        for (int i = 0; i < pPopup->GetItemCount(); i++)
        {
            const CExtPopupMenuWnd::MENUITEMDATA& mi = pPopup->GetItemAt(i);
            if (!s.empty())
                s += " ";
            if (mi.IsSeparator())
            {
                s += "-";
                continue;
            }
            s += (LPCTSTR)mi.GetText();
            if (!mi.GetAccelText().IsEmpty())
                s += std::string("\\t") + (LPCTSTR)mi.GetAccelText();
            if (mi.IsPopup())
            {
                s += " {" + Items(mi.m_pWndChild) + "}";
            }
            else
            {
                char szID[16];
                sprintf(szID, "=%u", mi.m_nCmdID);
                s += szID;
            }
            if (!mi.IsDisplayed())
                s += "(hidden)";
        }
        return s;
    }

    CMessageBoxRecorder m_boxes;
    CDocProgram m_program;
    CVarnelDoc* m_pDoc = NULL;
    CVarnelView* m_pView = NULL;
};

// The fixture of the Properties bar and status bar tests: a shown publication, its view,
// the main window's Properties bar, and clicks and keys posted to the real windows.
#pragma once

#include "doc_program.h"
#include "test_support.h"
#include "app/MainFrm.h"
#include "app/PropSheet.h"
#include "app/PropertiesBar.h"
#include "model/Elements.h"
#include "resources/properties_resource.h"
#include "afxbars.h"

class SelectionDisplay : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pBar = ((CMainFrame*)AfxGetMainWnd())->m_pPropertiesBar;
        ASSERT_TRUE(m_pBar != NULL && m_pBar->m_pSheet != NULL);
        OpenDoc();
    }

    void OpenDoc()
    {
        m_pDoc = m_program.NewShownDoc();
        m_pView = m_program.ActiveView();
        ASSERT_TRUE(m_pDoc != NULL && m_pView != NULL);
    }

    CRectangle* AddRect(int l, int t, int r, int b)
    {
        CRectangle* pRect = new CRectangle(CPoint(l, t), CPoint(r, b));
        pRect->m_nSide = 1;
        pRect->m_bTransparent = FALSE;
        m_pDoc->m_listElements.AddTail(pRect);
        return pRect;
    }

    // A click on the element, as the user selects it (zoom 1, not scrolled).
    void ClickElement(CElement* pElement)
    {
        const CRect rect = pElement->GetRect();
        PostClick(m_pView->m_hWnd, CPoint(rect.left + 3, rect.top + 3));
    }

    void ClickTab(int nTab)
    {
        CTabCtrl* pTab = m_pBar->m_pSheet->GetTabControl();
        ASSERT_TRUE(pTab != NULL);
        CRect rect;
        ASSERT_TRUE(pTab->GetItemRect(nTab, &rect));
        PostClick(pTab->m_hWnd, rect.CenterPoint());
    }

    // On the Pattern page: the next fill colour of the list, then Apply.
    void ApplyNextFillColour()
    {
        ClickTab(1);
        CPropertyPage* pPage = m_pBar->m_pSheet->GetActivePage();
        ASSERT_EQ(&m_pBar->m_pSheet->m_pageShape, pPage);
        CWnd* pCombo = pPage->GetDlgItem(IDC_SHAPE_FILL_COLOR);
        CWnd* pApply = pPage->GetDlgItem(IDC_SHAPE_APPLY);
        ASSERT_TRUE(pCombo != NULL && pApply != NULL);
        const int nBefore = (int)pCombo->SendMessage(CB_GETCURSEL);
        PostKeyPress(pCombo->m_hWnd, nBefore + 1 < (int)pCombo->SendMessage(CB_GETCOUNT) ? VK_DOWN : VK_UP);
        ASSERT_NE(nBefore, (int)pCombo->SendMessage(CB_GETCURSEL));
        CRect rect;
        pApply->GetClientRect(&rect);
        PostClick(pApply->m_hWnd, rect.CenterPoint());
    }

    CString SizePane()
    {
        CStatusBar* pBar = DYNAMIC_DOWNCAST(CStatusBar, AfxGetMainWnd()->GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE));
        return pBar != NULL ? pBar->GetPaneText(2) : CString("no status bar");
    }

    CMessageBoxRecorder m_boxes;
    CDocProgram m_program;
    CVarnelDoc* m_pDoc = NULL;
    CVarnelView* m_pView = NULL;
    CPropertiesBar* m_pBar = NULL;
};

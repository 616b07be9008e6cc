// The Properties bar and the status bar follow changes made outside the bar: after arrow
// keys, alignment and undo an Apply in the bar keeps the element where it is, and the
// Size pane shows the active publication's selection. Input goes to the real windows as
// posted clicks and keys and as menu commands.

#include "doc_program.h"
#include "test_support.h"
#include "app/MainFrm.h"
#include "app/PropSheet.h"
#include "app/PropertiesBar.h"
#include "model/Elements.h"
#include "resources/properties_resource.h"
#include "afxbars.h"

namespace
{

void PostKey(HWND hWnd, UINT nKey)
{
    ::PostMessageA(hWnd, WM_KEYDOWN, nKey, 1);
    ::PostMessageA(hWnd, WM_KEYUP, nKey, 0xC0000001);
    PumpPendingMessages();
}

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
        PostKey(pCombo->m_hWnd, nBefore + 1 < (int)pCombo->SendMessage(CB_GETCOUNT) ? VK_DOWN : VK_UP);
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

} // namespace

TEST_F(SelectionDisplay, ApplyInTheBarKeepsNudgesAlignmentAndUndo)
{
    CRectangle* pRect = AddRect(50, 50, 150, 100);
    ClickElement(pRect);
    ASSERT_EQ(1, (int)m_pDoc->m_listSelection.GetCount());
    ASSERT_EQ(2, m_pBar->m_pSheet->GetPageCount());

    // three presses of Right, then a colour in the Pattern page
    ClickTab(1);
    for (int i = 0; i < 3; i++)
        PostKey(m_pView->m_hWnd, VK_RIGHT);
    ASSERT_EQ(CRect(53, 50, 153, 100), pRect->GetRect());
    const DWORD clrFill = pRect->m_clrFill;
    ApplyNextFillColour();
    EXPECT_NE(clrFill, pRect->m_clrFill);
    EXPECT_EQ(CRect(53, 50, 153, 100), pRect->GetRect());
    // the General page shows the nudged place too
    ClickTab(0);
    CString strLeft;
    m_pBar->m_pSheet->GetActivePage()->GetDlgItemText(IDC_GENERAL_LEFT, strLeft);
    EXPECT_STREQ("53", strLeft);

    // the element the bar shows, aligned with another one after Select All
    CRectangle* pOther = AddRect(10, 120, 60, 160);
    m_pDoc->m_listElements.RemoveAt(m_pDoc->m_listElements.Find(pOther));
    m_pDoc->m_listElements.AddHead(pOther);         // the one the bar shows stays last
    m_program.Command(ID_EDIT_SELECT_ALL_ELEMENTS);
    ASSERT_EQ(2, (int)m_pDoc->m_listSelection.GetCount());
    ASSERT_EQ(pRect, m_pDoc->m_listSelection.GetHead());
    m_program.Command(ID_ALIGN_LEFT);
    ASSERT_EQ(CRect(10, 50, 110, 100), pRect->GetRect());
    const DWORD clrAligned = pRect->m_clrFill;
    ApplyNextFillColour();
    EXPECT_NE(clrAligned, pRect->m_clrFill);
    EXPECT_EQ(CRect(10, 50, 110, 100), pRect->GetRect());
    EXPECT_EQ(CRect(10, 120, 60, 160), pOther->GetRect());

    // undo (of the colour and the alignment) brings the element back; chosen again, an
    // Apply keeps the place undo gave
    m_program.Command(ID_EDIT_UNDO);
    m_program.Command(ID_EDIT_UNDO);
    CElement* pUndone = m_pDoc->m_listElements.GetTail();
    ASSERT_TRUE(pUndone != NULL);
    const CRect rectUndone = pUndone->GetRect();
    EXPECT_EQ(CRect(53, 50, 153, 100), rectUndone);
    ClickElement(pUndone);
    ASSERT_EQ(pUndone, m_pDoc->m_listSelection.GetHead());
    const DWORD clrUndone = pUndone->m_clrFill;
    ApplyNextFillColour();
    EXPECT_NE(clrUndone, pUndone->m_clrFill);
    EXPECT_EQ(rectUndone, pUndone->GetRect());
}

TEST_F(SelectionDisplay, SizePaneShowsTheActivePublicationsSelection)
{
    CRectangle* pRect = AddRect(50, 50, 150, 100);
    ClickElement(pRect);
    // the pointer moves on over the element
    ::PostMessageA(m_pView->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(60, 60));
    PumpPendingMessages();
    EXPECT_STREQ("Size:100 x 50", SizePane());
    CFrameWnd* pFirst = m_pView->GetParentFrame();

    OpenDoc();
    EXPECT_STREQ("Size", SizePane());

    // back to the first publication: its selection again
    ((CMDIFrameWnd*)AfxGetMainWnd())->MDIActivate(pFirst);
    PumpPendingMessages();
    EXPECT_STREQ("Size:100 x 50", SizePane());
}

TEST_F(SelectionDisplay, ClosingThePublicationEmptiesTheBarAndTheSizePane)
{
    CRectangle* pRect = AddRect(50, 50, 150, 100);
    ClickElement(pRect);
    CModelessPropSheet* pSheet = m_pBar->m_pSheet;
    ASSERT_TRUE(pSheet->m_pTarget == pRect);
    EXPECT_STREQ("Size:100 x 50", SizePane());

    // File > Close, as the menu sends it (nothing to save)
    m_pDoc->SetModifiedFlag(FALSE);
    m_program.Command(ID_FILE_CLOSE);
    PumpPendingMessages();
    ASSERT_EQ(0, m_program.CountDocs());
    EXPECT_TRUE(pSheet->m_pTarget == NULL);
    EXPECT_TRUE(pSheet->m_pTargetDoc == NULL);
    EXPECT_EQ(1, pSheet->GetPageCount());       // the blank page with its hint
    EXPECT_STREQ("Size", SizePane());
}

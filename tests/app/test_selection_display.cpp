// The Properties bar and the status bar follow changes made outside the bar: after arrow
// keys, alignment and undo an Apply in the bar keeps the element where it is, and the
// Size pane shows the active publication's selection. Input goes to the real windows as
// posted clicks and keys and as menu commands.

#include "selection_display.h"

TEST_F(SelectionDisplay, ApplyInTheBarKeepsNudgesAlignmentAndUndo)
{
    CRectangle* pRect = AddRect(50, 50, 150, 100);
    ClickElement(pRect);
    ASSERT_EQ(1, (int)m_pDoc->m_listSelection.GetCount());
    ASSERT_EQ(2, m_pBar->m_pSheet->GetPageCount());

    // three presses of Right, then a colour in the Pattern page
    ClickTab(1);
    for (int i = 0; i < 3; i++)
        PostKeyPress(m_pView->m_hWnd, VK_RIGHT);
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

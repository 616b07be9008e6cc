// Conventions a user tries by habit: a double click on an element, Esc during and after
// drawing with an insert tool, the menus and the publication's keys from a field of the
// Properties bar; input posted to the real windows or typed through the input queue.

#include "view_pointer.h"

#include "app/PropSheet.h"
#include "app/MainFrm.h"
#include "app/PropertiesBar.h"
#include "app/VarnelApp.h"
#include "resources/properties_resource.h"

namespace
{

class Conventions : public ViewPointer
{
protected:
    // A press and release, then the double click and its release, as the system queues
    // them for a window class with double clicks.
    void DoubleClick(CPoint ptDoc)
    {
        const CPoint pt = Pixel(ptDoc);
        const LPARAM lParam = MAKELPARAM(pt.x, pt.y);
        const HWND hView = m_pView->m_hWnd;
        ::PostMessageA(hView, WM_LBUTTONDOWN, MK_LBUTTON, lParam);
        ::PostMessageA(hView, WM_LBUTTONUP, 0, lParam);
        ::PostMessageA(hView, WM_LBUTTONDBLCLK, MK_LBUTTON, lParam);
        ::PostMessageA(hView, WM_LBUTTONUP, 0, lParam);
        PumpPendingMessages();
    }

    // A press and moves of the left button, left held down.
    void PressAndMove(CPoint ptFrom, CPoint ptTo)
    {
        const CPoint a = Pixel(ptFrom);
        const CPoint b = Pixel(ptTo);
        const HWND hView = m_pView->m_hWnd;
        ::PostMessageA(hView, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a.x, a.y));
        ::PostMessageA(hView, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((a.x + b.x) / 2, (a.y + b.y) / 2));
        ::PostMessageA(hView, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(b.x, b.y));
        PumpPendingMessages();
    }

    void Release(CPoint ptDoc)
    {
        const CPoint pt = Pixel(ptDoc);
        ::PostMessageA(m_pView->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        PumpPendingMessages();
    }

    // A rectangle from (100, 50) to (200, 150), added to the publication.
    CRectangle* AddRectangle()
    {
        CRectangle* pRect = new CRectangle(CPoint(100, 50), CPoint(200, 150));
        m_pDoc->m_listElements.AddTail(pRect);
        return pRect;
    }

    // The Left field of the General page after a click has selected the rectangle; NULL
    // when the bar shows no such page.
    HWND ClickRectangleForItsLeftField()
    {
        Click(CPoint(150, 100));
        CModelessPropSheet* pSheet = CModelessPropSheet::GetPropertiesSheet();
        if (pSheet == NULL || pSheet->GetPagesKind() != KIND_RECTANGLE)
            return NULL;
        return ::GetDlgItem(pSheet->m_pageGeneral.m_hWnd, IDC_GENERAL_LEFT);
    }
};

} // namespace

// The element double-clicked stays selected, its pages shown and applied to it.
TEST_F(Conventions, DoubleClickOnAnElementKeepsItSelectedWithItsPages)
{
    CRectangle* pRect = AddRectangle();

    CMainFrame* pMain = (CMainFrame*)AfxGetMainWnd();
    for (int nRound = 0; nRound < 2; nRound++)   // unselected, then already selected
    {
        pMain->HidePropertiesBar();                 // as its close button does
        DoubleClick(CPoint(150, 100));
        EXPECT_TRUE(pMain->m_pPropertiesBar->IsWindowVisible()) << nRound;
        EXPECT_EQ(pRect, Selected()) << nRound;
        ASSERT_EQ(1, (int)m_pDoc->m_tracker.m_arrSelected.GetSize()) << nRound;
        EXPECT_EQ(pRect, m_pDoc->m_tracker.m_arrSelected[0]);
        EXPECT_TRUE(::GetCapture() == NULL);
        CModelessPropSheet* pSheet = CModelessPropSheet::GetPropertiesSheet();
        ASSERT_TRUE(pSheet != NULL);
        EXPECT_EQ(KIND_RECTANGLE, pSheet->GetPagesKind());
        EXPECT_EQ(pRect, pSheet->m_pTarget);
    }

    // an arrow key then moves the element double-clicked
    PostKeyPress(m_pView->m_hWnd, VK_RIGHT);
    EXPECT_EQ(CRect(101, 50, 201, 150), pRect->GetRect());
}

// Esc or the right button during a drag of an insert tool ends it without an element; Esc
// with no drag gives the pointer back.
TEST_F(Conventions, EscEndsDrawingThenTheTool)
{
    m_pDoc->m_nCurrentTool = KIND_RECTANGLE;
    PressAndMove(CPoint(50, 40), CPoint(150, 120));
    ASSERT_TRUE(::GetCapture() == m_pView->m_hWnd);
    ASSERT_TRUE(m_pView->m_pNewElement != NULL);    // the preview follows the mouse

    PostKeyPress(m_pView->m_hWnd, VK_ESCAPE);
    EXPECT_TRUE(::GetCapture() == NULL);
    EXPECT_TRUE(m_pView->m_pNewElement == NULL);
    Release(CPoint(150, 120));
    EXPECT_TRUE(m_pDoc->m_listElements.IsEmpty());
    EXPECT_FALSE(m_pDoc->IsModified());
    EXPECT_EQ(KIND_RECTANGLE, m_pDoc->m_nCurrentTool);

    // a freehand line being drawn is dropped as well
    m_pDoc->m_nCurrentTool = KIND_FREEHAND;
    PressAndMove(CPoint(50, 40), CPoint(150, 120));
    ASSERT_TRUE(m_pView->m_pNewElement != NULL);
    PostKeyPress(m_pView->m_hWnd, VK_ESCAPE);
    Release(CPoint(150, 120));
    EXPECT_TRUE(m_pDoc->m_listElements.IsEmpty());

    // the right button ends a drawing too, and its release opens no menu
    m_pDoc->m_nCurrentTool = KIND_RECTANGLE;
    for (int nRound = 0; nRound < 2; nRound++)      // while drawing, then on the page
    {
        if (nRound == 0)
            PressAndMove(CPoint(50, 40), CPoint(150, 120));
        Click(CPoint(150, 120), true);
        EXPECT_EQ(nRound == 1, g_TrackingSite.m_pWndRoot != NULL) << nRound;
        CExtPopupMenuWnd::CancelTracking();
        PumpPendingMessages();
    }
    Release(CPoint(150, 120));
    EXPECT_TRUE(m_pDoc->m_listElements.IsEmpty());

    // with no drawing under way Esc puts the tool down
    PostKeyPress(m_pView->m_hWnd, VK_ESCAPE);
    EXPECT_EQ(KIND_POINTER, m_pDoc->m_nCurrentTool);
    Click(CPoint(60, 60));
    EXPECT_TRUE(m_pDoc->m_listElements.IsEmpty());
}

// From a field of the Properties bar, Alt and a menu letter open that menu and Ctrl keys of
// the publication run; the field keeps its editing keys and the page its own letters.
TEST_F(Conventions, MenuAndPublicationKeysWorkFromAPropertiesField)
{
    AddRectangle();
    const HWND hLeft = ClickRectangleForItsLeftField();
    ASSERT_TRUE(hLeft != NULL);
    PostClick(hLeft, CPoint(3, 3));
    ASSERT_EQ(hLeft, ::GetFocus());

    ASSERT_TRUE(SendKeys({ VK_MENU }, { 'F' }));
    CExtPopupMenuWnd* pPopup = TrackedPopup();
    ASSERT_TRUE(pPopup != NULL) << "Alt+F in a field opened no menu";
    EXPECT_GE(pPopup->FindItemByCmdID(ID_FILE_NEW), 0);
    CExtPopupMenuWnd::CancelTracking();
    PumpPendingMessages();

    PostClick(hLeft, CPoint(3, 3));
    ASSERT_TRUE(SendKeys({ VK_CONTROL }, { VK_OEM_PLUS }));
    EXPECT_EQ(1.5f, m_pView->m_fZoom);

    // Ctrl+C copies the field's text, not the element
    ASSERT_TRUE(::OpenClipboard(NULL) && ::EmptyClipboard() && ::CloseClipboard());
    ::SendMessageA(hLeft, EM_SETSEL, 0, -1);
    ASSERT_TRUE(SendKeys({ VK_CONTROL }, { 'C' }));
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_FALSE(::IsClipboardFormatAvailable(g_cfElementList));

    // Ctrl+Alt (AltGr) types a character: no menu opens
    ASSERT_TRUE(SendKeys({ VK_CONTROL, VK_MENU }, { 'E' }));
    EXPECT_TRUE(g_TrackingSite.m_pWndRoot == NULL);
    CExtPopupMenuWnd::CancelTracking();
    PumpPendingMessages();

    // a letter of the page wins over the menu of the same letter, and its Alt release
    // opens nothing
    CText* pText = new CText(CPoint(20, 160), CPoint(200, 190));
    m_pDoc->m_listElements.AddTail(pText);
    Click(CPoint(100, 175));
    CModelessPropSheet* pSheet = CModelessPropSheet::GetPropertiesSheet();
    ASSERT_EQ(KIND_TEXT, pSheet->GetPagesKind());
    pSheet->SetActivePage(&pSheet->m_pageFont);
    const HWND hSize = ::GetDlgItem(pSheet->m_pageFont.m_hWnd, IDC_FONT_SIZE);
    const HWND hFace = ::GetDlgItem(pSheet->m_pageFont.m_hWnd, IDC_FONT_FACE);
    ASSERT_TRUE(hSize != NULL && hFace != NULL);
    ::SetFocus(hSize);
    ASSERT_TRUE(SendKeys({ VK_MENU }, { 'F' }));
    EXPECT_TRUE(::GetFocus() == hFace || ::GetParent(::GetFocus()) == hFace);
    EXPECT_TRUE(g_TrackingSite.m_pWndRoot == NULL);
    CExtMenuControlBar& menuBar = ((CMainFrame*)AfxGetMainWnd())->m_wndMenuBar;
    EXPECT_FALSE(menuBar.IsKeyboardMode());

    // in the menu bar's keyboard mode (Alt alone, given to the frame as in the main window's
    // own test) Down in a field opens the first menu
    const HWND hField = ::GetFocus();
    for (UINT nMsg : { WM_SYSKEYDOWN, WM_SYSKEYUP })
    {
        MSG msg = { hField, nMsg, VK_MENU, 1 | (::MapVirtualKeyA(VK_MENU, 0) << 16)
                                           | (nMsg == WM_SYSKEYDOWN ? (1 << 29) : (3u << 30)) };
        m_pView->GetParentFrame()->PreTranslateMessage(&msg);
        PumpPendingMessages();
    }
    ASSERT_TRUE(menuBar.IsKeyboardMode());
    ASSERT_TRUE(SendKeys({}, { VK_DOWN }));
    pPopup = TrackedPopup();
    ASSERT_TRUE(pPopup != NULL) << "Down in keyboard mode opened no menu";
    EXPECT_GE(pPopup->FindItemByCmdID(ID_FILE_NEW), 0);
}

// A value typed into a field of the Properties bar counts when a command or a close comes
// before the field is left: the command sees it, the close asks about it.
TEST_F(Conventions, ATypedPropertyCountsBeforeACommandAndAClose)
{
    CRectangle* pRect = AddRectangle();
    const HWND hLeft = ClickRectangleForItsLeftField();
    ASSERT_TRUE(hLeft != NULL);
    auto typeLeft = [&](std::initializer_list<WORD> digits) {
        PostClick(hLeft, CPoint(3, 3));
        ASSERT_EQ(hLeft, ::GetFocus());
        ::SendMessageA(hLeft, EM_SETSEL, 0, -1);
        ASSERT_TRUE(SendKeys({}, digits));
        ASSERT_EQ(hLeft, ::GetFocus());
    };

    // Copy from the menu copies the element where the field puts it
    typeLeft({ '1', '2', '0' });
    m_program.Command(ID_EDIT_COPY);
    EXPECT_EQ(CRect(120, 50, 220, 150), pRect->GetRect());
    EXPECT_TRUE(m_pDoc->IsModified());

    // closing the publication asks about a change typed only
    m_pDoc->SetModifiedFlag(FALSE);
    typeLeft({ '3', '0' });
    m_boxes.AddAnswer(IDCANCEL);
    m_pView->GetParentFrame()->SendMessage(WM_CLOSE);
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_EQ(CRect(30, 50, 130, 150), pRect->GetRect());
    EXPECT_EQ(1, m_program.CountDocs());
}

// An arrow held down, its repeats as the keyboard sends them, moves as one step of undo and
// leaves the earlier steps.
TEST_F(Conventions, AHeldArrowMovesAsOneStepOfUndo)
{
    CRectangle* pRect = AddRectangle();
    Click(CPoint(150, 100));
    const HWND hView = m_pView->m_hWnd;
    PostKeyPress(hView, VK_DOWN);                   // one step of its own
    ASSERT_EQ(CRect(100, 51, 200, 151), pRect->GetRect());
    const int nLevels = m_pDoc->GetUndoLevels();

    ::PostMessageA(hView, WM_KEYDOWN, VK_RIGHT, 1);
    for (int i = 0; i < 7; i++)
        ::PostMessageA(hView, WM_KEYDOWN, VK_RIGHT, 1 | (KF_REPEAT << 16));
    ::PostMessageA(hView, WM_KEYUP, VK_RIGHT, 0xC0000001);
    PumpPendingMessages();
    EXPECT_EQ(CRect(108, 51, 208, 151), pRect->GetRect());
    EXPECT_EQ(nLevels + 1, m_pDoc->GetUndoLevels());

    m_program.Command(ID_EDIT_UNDO);
    ASSERT_EQ(1, (int)m_pDoc->m_listElements.GetCount());
    EXPECT_EQ(CRect(100, 51, 200, 151), m_pDoc->m_listElements.GetHead()->GetRect());
    m_program.Command(ID_EDIT_UNDO);
    EXPECT_EQ(CRect(100, 50, 200, 150), m_pDoc->m_listElements.GetHead()->GetRect());
}

// Closing the main window while it is minimised (from the taskbar) keeps its place and size
// for the next start, not those of its button.
TEST_F(Conventions, ClosingWhileMinimisedStoresTheWindowsOwnPlace)
{
    CWnd* pMain = AfxGetMainWnd();
    pMain->SetWindowPos(NULL, 60, 40, 900, 640, SWP_NOZORDER | SWP_NOACTIVATE);
    pMain->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    ASSERT_TRUE(pMain->IsIconic());
    m_pDoc->SetModifiedFlag(TRUE);
    m_boxes.AddAnswer(IDCANCEL);        // the save question keeps the program open
    pMain->SendMessage(WM_CLOSE);
    ASSERT_TRUE(::IsWindow(pMain->m_hWnd));
    ASSERT_EQ(1, m_boxes.GetCount());

    COptionsKey key(m_program.OptionsKeyPath());
    DWORD cx = 0, cy = 0, x = 0, y = 0;
    ASSERT_TRUE(key.GetDword("cs_cx", cx) && key.GetDword("cs_cy", cy) && key.GetDword("cs_x", x)
                && key.GetDword("cs_y", y));
    EXPECT_EQ(900u, cx);
    EXPECT_EQ(640u, cy);
    EXPECT_EQ(60, (int)x);
    EXPECT_EQ(40, (int)y);
    pMain->SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    m_pDoc->SetModifiedFlag(FALSE);
}

// The up and down arrows in the line width field step the width as its spin does.
TEST_F(Conventions, ArrowKeysInTheLineWidthFieldStepTheWidth)
{
    CLine* pLine = new CLine(CPoint(100, 100), CPoint(300, 100));
    pLine->m_nLineDirection = 0;
    m_pDoc->m_listElements.AddTail(pLine);
    Click(CPoint(200, 100));
    CModelessPropSheet* pSheet = CModelessPropSheet::GetPropertiesSheet();
    ASSERT_TRUE(pSheet != NULL);
    ASSERT_EQ(KIND_LINE, pSheet->GetPagesKind());
    const HWND hWidth = ::GetDlgItem(pSheet->m_pageLine.m_hWnd, IDC_LINE_WIDTH);
    ASSERT_TRUE(hWidth != NULL);
    PostClick(hWidth, CPoint(3, 3));
    ASSERT_EQ(hWidth, ::GetFocus());
    const int nWidth = pLine->m_nLineWidth;

    ASSERT_TRUE(SendKeys({}, { VK_UP, VK_UP }));
    EXPECT_EQ(nWidth + 2, pLine->m_nLineWidth);
    EXPECT_EQ(nWidth + 2, (int)::GetDlgItemInt(pSheet->m_pageLine.m_hWnd, IDC_LINE_WIDTH, NULL, TRUE));
    ASSERT_TRUE(SendKeys({}, { VK_DOWN }));
    EXPECT_EQ(nWidth + 1, pLine->m_nLineWidth);
}

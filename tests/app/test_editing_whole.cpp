// Editing that keeps the design whole, driven as a user drives it: clicks and keys posted
// to the real windows, keys typed through the system's input queue, the real dialogs.
// Undo of a size change, selection by Ctrl and Shift, the selection the commands act on,
// drawn lines, nudging back onto the page, the Properties bar's fields and pages, the
// status panes and toolbar checks with one, two and no publications.

#include "doc_program.h"
#include "test_support.h"
#include "app/AboutDlg.h"
#include "app/ChildFrm.h"
#include "app/MainFrm.h"
#include "app/PropSheet.h"
#include "app/PropertiesBar.h"
#include "model/Elements.h"
#include "model/OptionsKeys.h"
#include "resources/properties_resource.h"
#include "resources/pubsize_resource.h"
#include "model/ElementDraw.h"
#include "uiframework/bars/ExtToolControlBar.h"
#include "afxbars.h"

#include <initializer_list>
#include <stdio.h>
#include <string>
#include <vector>

namespace
{

// "l,t,r,b", so that a failure shows the rectangle.
std::string Str(const CRect& rect)
{
    char sz[64];
    sprintf(sz, "%ld,%ld,%ld,%ld", (long)rect.left, (long)rect.top, (long)rect.right, (long)rect.bottom);
    return sz;
}


// Keys typed through the system's input queue, each read and handled before it returns.
void TypeKeys(std::initializer_list<WORD> modifiers, std::initializer_list<WORD> keys)
{
    EXPECT_TRUE(SendKeys(modifiers, keys)) << "typed keys were not read";
}

// Focus in the window, its top-level window in the foreground.
void FocusOn(CWnd* pWnd)
{
    ::SetForegroundWindow(::GetAncestor(pWnd->m_hWnd, GA_ROOT));
    pWnd->SetFocus();
    PumpPendingMessages();
    ASSERT_EQ(pWnd->m_hWnd, ::GetFocus());
}

CString PaneText(int nPane)
{
    CStatusBar* pBar = DYNAMIC_DOWNCAST(CStatusBar, AfxGetMainWnd()->GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE));
    return pBar != NULL ? pBar->GetPaneText(nPane) : CString("no status bar");
}

class EditingWhole : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_program.m_pApp->m_pMainWnd->SetWindowPos(NULL, 0, 0, 1024, 768, SWP_NOZORDER | SWP_NOACTIVATE);
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

    template <typename T>
    T* Add(T* pElement)
    {
        pElement->m_nSide = 1;
        m_pDoc->m_listElements.AddTail(pElement);
        return pElement;
    }
    CRectangle* AddRect(int l, int t, int r, int b)
    {
        return Add(new CRectangle(CPoint(l, t), CPoint(r, b)));
    }

    // Client pixel of a document position.
    CPoint Pixel(CPoint ptDoc)
    {
        m_pView->LogicalToDevice(ptDoc);
        return ptDoc;
    }
    void ClickAt(CPoint ptDoc, UINT nKeys = 0)
    {
        PostClick(m_pView->m_hWnd, Pixel(ptDoc), nKeys);
    }
    void ClickElement(CElement* pElement, UINT nKeys = 0)
    {
        ClickAt(pElement->GetRect().CenterPoint(), nKeys);
    }
    // A press, moves and a release, queued as the system queues them.
    void Drag(CPoint ptFrom, CPoint ptTo)
    {
        PostDrag(m_pView->m_hWnd, Pixel(ptFrom), Pixel(ptTo));
    }

    void ClickTab(int nTab)
    {
        CTabCtrl* pTab = m_pBar->m_pSheet->GetTabControl();
        ASSERT_TRUE(pTab != NULL);
        CRect rect;
        ASSERT_TRUE(pTab->GetItemRect(nTab, &rect));
        PostClick(pTab->m_hWnd, rect.CenterPoint());
    }
    CWnd* Field(int nID)
    {
        CPropertyPage* pPage = m_pBar->m_pSheet->GetActivePage();
        return pPage != NULL ? pPage->GetDlgItem(nID) : NULL;
    }
    BOOL FieldEnabled(int nID)
    {
        CWnd* pField = Field(nID);
        return pField != NULL && pField->IsWindowEnabled();
    }

    // The selection list holds what the tracker shows, in reverse order.
    void ExpectSelection(std::initializer_list<CElement*> elements)
    {
        std::vector<CElement*> expected(elements);
        ASSERT_EQ((INT_PTR)expected.size(), m_pDoc->m_tracker.m_arrSelected.GetSize());
        ASSERT_EQ((INT_PTR)expected.size(), m_pDoc->m_listSelection.GetCount());
        POSITION pos = m_pDoc->m_listSelection.GetTailPosition();
        for (size_t i = 0; i < expected.size(); i++)
        {
            EXPECT_EQ(expected[i], m_pDoc->m_tracker.m_arrSelected[(INT_PTR)i]) << i;
            EXPECT_EQ(expected[i], m_pDoc->m_listSelection.GetPrev(pos)) << i;
        }
    }

    CMessageBoxRecorder m_boxes;
    CDocProgram m_program;
    CVarnelDoc* m_pDoc = NULL;
    CVarnelView* m_pView = NULL;
    CPropertiesBar* m_pBar = NULL;
};

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Undo of a change of size

TEST_F(EditingWhole, UndoOfAPageSizeChangeBringsBackThePageWithItsElements)
{
    m_pDoc->m_nDesignWidth = 600;       // 6 x 4.5 in
    m_pDoc->m_nDesignHeight = 450;
    m_pView->OnInitialUpdate();
    CRectangle* pRight = AddRect(350, 50, 550, 150);
    AddRect(20, 200, 100, 300);
    const int nLevels = m_pDoc->GetUndoLevels();

    CChildFrame* pFrame = DYNAMIC_DOWNCAST(CChildFrame, m_pView->GetParentFrame());
    ASSERT_TRUE(pFrame != NULL);
    CWnd* pTabs = pFrame->m_wndSplitter.GetPane(1, 0);
    {
        CDialogScript script;
        script.OnDialog(IDD_PUBSIZE).Click(IDC_PUBSIZE_APPLY_NEW).SetText(IDC_PUBSIZE_WIDTH, "3").OK();
        PostClick(pTabs->m_hWnd, CPoint(30, 150));      // the side tab Change Publication Size
    }
    ASSERT_EQ(300, m_pDoc->m_nDesignWidth);
    EXPECT_EQ(450, m_pDoc->m_nDesignHeight);
    EXPECT_EQ("175,50,275,150", Str(pRight->GetRect()));
    EXPECT_EQ(nLevels + 1, m_pDoc->GetUndoLevels());

    // one Ctrl+Z brings back the page and the elements together, Ctrl+Y both again
    FocusOn(m_pView);
    TypeKeys({VK_CONTROL}, {'Z'});
    EXPECT_EQ(600, m_pDoc->m_nDesignWidth);
    EXPECT_EQ(450, m_pDoc->m_nDesignHeight);
    ASSERT_EQ(2, m_pDoc->m_listElements.GetCount());
    EXPECT_EQ("350,50,550,150", Str(m_pDoc->m_listElements.GetHead()->GetRect()));
    EXPECT_EQ(nLevels, m_pDoc->GetUndoLevels());
    EXPECT_GE(m_pView->GetTotalSize().cx, 600);       // the whole page can be scrolled to

    TypeKeys({VK_CONTROL}, {'Y'});
    EXPECT_EQ(300, m_pDoc->m_nDesignWidth);
    EXPECT_EQ("175,50,275,150", Str(m_pDoc->m_listElements.GetHead()->GetRect()));
    EXPECT_EQ("10,200,50,300", Str(m_pDoc->m_listElements.GetTail()->GetRect()));
}

/////////////////////////////////////////////////////////////////////////////
// Selection

TEST_F(EditingWhole, CtrlClickTakesASelectedElementOutAndShiftClickAdds)
{
    CRectangle* pA = AddRect(20, 20, 80, 80);
    CRectangle* pB = AddRect(120, 20, 180, 80);
    CRectangle* pC = AddRect(220, 20, 280, 80);

    ClickElement(pA);
    ClickElement(pB, MK_CONTROL);
    ExpectSelection({pA, pB});
    ClickElement(pA, MK_CONTROL);       // out again
    ExpectSelection({pB});
    ClickElement(pC, MK_SHIFT);
    ExpectSelection({pB, pC});
    ClickElement(pC, MK_SHIFT);
    ExpectSelection({pB});
    ClickAt(CPoint(350, 150), MK_CONTROL);  // beside every element: nothing changes
    ExpectSelection({pB});
    EXPECT_EQ("120,20,180,80", Str(pB->GetRect()));
    EXPECT_STREQ("Size:60 x 60", PaneText(2));
}

TEST_F(EditingWhole, ArrangeCommandsActOnTheElementThatStaysSelected)
{
    CRectangle* pC = AddRect(20, 20, 80, 80);
    CRectangle* pA = AddRect(60, 60, 140, 140);
    AddRect(100, 100, 180, 180);
    ClickElement(pC);
    ExpectSelection({pC});

    m_program.Command(ID_ARRANGE_TO_FRONT);
    EXPECT_EQ(pC, m_pDoc->m_listElements.GetTail());
    ExpectSelection({pC});
    m_program.Command(ID_ARRANGE_TO_BACK);
    EXPECT_EQ(pC, m_pDoc->m_listElements.GetHead());
    m_program.Command(ID_ARRANGE_STEP_FRONT);
    EXPECT_EQ(pA, m_pDoc->m_listElements.GetHead());
    ExpectSelection({pC});
    EXPECT_EQ(3, m_pDoc->GetUndoLevels());
}

/////////////////////////////////////////////////////////////////////////////
// Drawing and nudging

TEST_F(EditingWhole, TheLineToolDrawsTheLineDraggedAndTheClickSizeOnAClick)
{
    const struct { CPoint ptFrom, ptTo; const char* pszRect; } cases[] = {
        { CPoint(20, 20), CPoint(220, 21), "20,20,220,21" },        // nearly level
        { CPoint(300, 20), CPoint(301, 150), "300,20,301,150" },    // nearly upright
        { CPoint(50, 100), CPoint(51, 101), "50,100,100,150" },     // a click
    };
    for (const auto& c : cases)
    {
        m_program.Command(ID_TOOL_LINE);
        ASSERT_EQ(KIND_LINE, m_pDoc->m_nCurrentTool);
        Drag(c.ptFrom, c.ptTo);
        CLine* pLine = dynamic_cast<CLine*>(m_pDoc->m_listElements.GetTail());
        ASSERT_TRUE(pLine != NULL);
        EXPECT_EQ(c.pszRect, Str(pLine->GetRect()));
    }
    EXPECT_EQ(3, m_pDoc->m_listElements.GetCount());
}

// A sun clicked at the page's right edge drew its rays on the desk.
TEST_F(EditingWhole, ShapesClickedAtThePageEdgeKeepTheirRaysAndTailsOnThePage)
{
    const int nWidth = m_pDoc->m_nDesignWidth, nHeight = m_pDoc->m_nDesignHeight;
    const struct { UINT nTool; CPoint pt; } cases[] = {
        { ID_TOOL_SUN, CPoint(nWidth - 51, 10) },
        { ID_TOOL_STAR, CPoint(nWidth - 76, nHeight - 76) },
        { ID_TOOL_CALLOUT_RIGHT, CPoint(nWidth - 101, nHeight - 51) },
    };
    for (const auto& c : cases)
    {
        m_program.Command(c.nTool);
        ClickAt(c.pt);
        CElement* pElement = m_pDoc->m_listElements.GetTail();
        Gdiplus::RectF rc;
        ASSERT_TRUE(GetElementDrawnBounds(pElement, CPoint(0, 0), rc)) << c.nTool;
        EXPECT_GE(rc.X, 0.0f) << c.nTool;
        EXPECT_GE(rc.Y, 0.0f) << c.nTool;
        EXPECT_LE(rc.GetRight(), (float)nWidth) << c.nTool;
        EXPECT_LE(rc.GetBottom(), (float)nHeight) << c.nTool;
    }
    EXPECT_EQ(3, m_pDoc->m_listElements.GetCount());
}

TEST_F(EditingWhole, ArrowKeysBringAnElementDraggedOffThePageBack)
{
    CRectangle* pRect = AddRect(300, 50, 380, 100);
    ClickElement(pRect);
    Drag(CPoint(320, 60), CPoint(520, 60));     // its centre lands beyond the 400-wide page
    ASSERT_EQ("500,50,580,100", Str(pRect->GetRect()));
    const int nLevels = m_pDoc->GetUndoLevels();

    PostKeyPress(m_pView->m_hWnd, VK_RIGHT);         // away from the page: no
    EXPECT_EQ("500,50,580,100", Str(pRect->GetRect()));
    EXPECT_EQ(nLevels, m_pDoc->GetUndoLevels());
    PostKeyPress(m_pView->m_hWnd, VK_LEFT);          // toward it: yes
    EXPECT_EQ("499,50,579,100", Str(pRect->GetRect()));
    PostKeyPress(m_pView->m_hWnd, VK_UP);            // along the edge, no nearer: no
    EXPECT_EQ("499,50,579,100", Str(pRect->GetRect()));
    FocusOn(m_pView);
    TypeKeys({VK_CONTROL}, {VK_LEFT});          // ten units with Ctrl
    EXPECT_EQ("489,50,569,100", Str(pRect->GetRect()));
    EXPECT_EQ(nLevels + 2, m_pDoc->GetUndoLevels());
}

/////////////////////////////////////////////////////////////////////////////
// The Properties bar

TEST_F(EditingWhole, GeneralPageFieldsFollowTheLockOfTheElementShown)
{
    CRectangle* pLocked = AddRect(20, 20, 80, 80);
    pLocked->m_bLocked = TRUE;
    CRectangle* pFree = AddRect(120, 20, 180, 80);
    const int aFields[] = {IDC_GENERAL_LEFT, IDC_GENERAL_TOP, IDC_GENERAL_WIDTH, IDC_GENERAL_HEIGHT,
                           IDC_GENERAL_ROTATION};

    for (int nRound = 0; nRound < 2; nRound++)
    {
        ClickElement(pLocked);
        ASSERT_EQ(&m_pBar->m_pSheet->m_pageGeneral, m_pBar->m_pSheet->GetActivePage());
        for (int nID : aFields)
            EXPECT_FALSE(FieldEnabled(nID)) << nRound << " " << nID;
        ClickElement(pFree);
        for (int nID : aFields)
            EXPECT_TRUE(FieldEnabled(nID)) << nRound << " " << nID;
    }
}

TEST_F(EditingWhole, EnterAndCtrlAInBarFieldsApplyAndSelectTheWholeText)
{
    CRectangle* pRect = AddRect(20, 20, 80, 80);
    ClickElement(pRect);
    CWnd* pLeft = Field(IDC_GENERAL_LEFT);
    ASSERT_TRUE(pLeft != NULL);
    FocusOn(pLeft);
    TypeKeys({VK_CONTROL}, {'A'});
    TypeKeys({}, {'1', '2', '0', VK_RETURN});
    EXPECT_EQ("120,20,180,80", Str(pRect->GetRect()));      // applied, size kept
    EXPECT_EQ(pLeft->m_hWnd, ::GetFocus());                    // and still typing there
    EXPECT_EQ(1, m_pDoc->GetUndoLevels());

    // the text of a text element, and the font size box of the Font page
    CText* pText = Add(new CText(CPoint(20, 120), CPoint(200, 180)));
    pText->m_strText = "Hello";
    ClickElement(pText);
    CWnd* pEdit = Field(IDC_TEXT_EDIT);
    ASSERT_TRUE(pEdit != NULL);
    FocusOn(pEdit);
    TypeKeys({VK_CONTROL}, {'A'});
    TypeKeys({VK_SHIFT}, {'X'});
    EXPECT_STREQ("X", pText->m_strText);

    ClickTab(1);
    ASSERT_EQ(&m_pBar->m_pSheet->m_pageFont, m_pBar->m_pSheet->GetActivePage());
    CWnd* pSize = Field(IDC_FONT_SIZE);
    ASSERT_TRUE(pSize != NULL);
    CWnd* pSizeEdit = pSize->GetWindow(GW_CHILD);
    ASSERT_TRUE(pSizeEdit != NULL);
    // a new text draws 12-point letters, and the box says so
    EXPECT_STREQ("12", WindowTextOf(pSizeEdit->m_hWnd));
    FocusOn(pSizeEdit);
    TypeKeys({VK_CONTROL}, {'A'});
    TypeKeys({}, {'3', '6', VK_RETURN});
    LOGFONT lf = {};
    ASSERT_TRUE(pText->m_font.GetLogFont(&lf));
    EXPECT_EQ(36, lf.lfHeight);     // the size in points, as drawing takes it
    EXPECT_EQ(&m_pBar->m_pSheet->m_pageFont, m_pBar->m_pSheet->GetActivePage());
}

TEST_F(EditingWhole, CtrlAInADialogSelectsTheWholeFieldText)
{
    CString strTyped;
    {
        CDialogScript script;
        script.OnDialog(IDD_PUBSIZE)
            .Click(IDC_PUBSIZE_APPLY_NEW)
            .Do([&](CWnd* pDlg) {
                CWnd* pWidth = pDlg->GetDlgItem(IDC_PUBSIZE_WIDTH);
                FocusOn(pWidth);
                TypeKeys({VK_CONTROL}, {'A'});
                TypeKeys({}, {'3'});
                pWidth->GetWindowText(strTyped);
            })
            .OK();
        m_pView->ChangePublicationSize();
    }
    EXPECT_STREQ("3", strTyped);
    EXPECT_EQ(300, m_pDoc->m_nDesignWidth);
}

TEST_F(EditingWhole, FormattingCommandsKeepTheBarOnThePageChosen)
{
    CText* pText = Add(new CText(CPoint(20, 20), CPoint(200, 80)));
    pText->m_strText = "Bold";
    ClickElement(pText);
    ASSERT_EQ(&m_pBar->m_pSheet->m_pageText, m_pBar->m_pSheet->GetActivePage());
    ClickTab(1);
    ASSERT_EQ(&m_pBar->m_pSheet->m_pageFont, m_pBar->m_pSheet->GetActivePage());

    const UINT aCommands[] = {ID_TEXT_BOLD, ID_TEXT_ITALIC, ID_TEXT_UNDERLINE};
    for (UINT nID : aCommands)
    {
        m_program.Command(nID);
        EXPECT_EQ(&m_pBar->m_pSheet->m_pageFont, m_pBar->m_pSheet->GetActivePage()) << nID;
    }
    LOGFONT lf = {};
    ASSERT_TRUE(pText->m_font.GetLogFont(&lf));
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_TRUE(lf.lfItalic && lf.lfUnderline);
    EXPECT_EQ(BST_CHECKED, m_pBar->m_pSheet->m_pageFont.IsDlgButtonChecked(IDC_FONT_UNDERLINE));

    // another element opens on its first page
    CRectangle* pRect = AddRect(20, 120, 80, 180);
    ClickElement(pRect);
    EXPECT_EQ(&m_pBar->m_pSheet->m_pageGeneral, m_pBar->m_pSheet->GetActivePage());
}

/////////////////////////////////////////////////////////////////////////////
// Status panes, toolbar checks and new elements' defaults

TEST_F(EditingWhole, StatusPanesAndChecksFollowTheActivePublicationOrNone)
{
    CMDIFrameWnd* pMain = (CMDIFrameWnd*)AfxGetMainWnd();
    CFrameWnd* pFirst = m_pView->GetParentFrame();
    m_program.Command(ID_VIEW_ZOOM_50);
    EXPECT_STREQ("Zoom:50%", PaneText(3));

    // a new publication shows its own zoom, the first its own again
    OpenDoc();
    EXPECT_STREQ("Zoom:100%", PaneText(3));
    CRectangle* pRect = AddRect(50, 50, 150, 100);
    ClickElement(pRect);
    EXPECT_STREQ("Size:100 x 50", PaneText(2));
    pMain->MDIActivate(pFirst);
    PumpPendingMessages();
    EXPECT_STREQ("Zoom:50%", PaneText(3));
    EXPECT_STREQ("Size", PaneText(2));

    // File > Close, nothing to save
    auto closeActive = [&] {
        m_program.ActiveDoc()->SetModifiedFlag(FALSE);
        m_program.Command(ID_FILE_CLOSE);
        PumpPendingMessages();
    };
    // closing the first leaves the second's size and zoom
    closeActive();
    ASSERT_EQ(1, m_program.CountDocs());
    EXPECT_STREQ("Size:100 x 50", PaneText(2));
    EXPECT_STREQ("Zoom:100%", PaneText(3));

    // the grid shown, then the last publication closed: empty panes, no check
    m_program.Command(ID_VIEW_GRID);
    CExtToolControlBar* pFormat = &((CMainFrame*)pMain)->m_wndFormatBar;
    int nGrid = -1;
    for (int i = 0; i < pFormat->GetButtonCount(); i++)
        nGrid = pFormat->GetButtonID(i) == ID_VIEW_GRID ? i : nGrid;
    ASSERT_GE(nGrid, 0);
    pFormat->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_NE(0u, pFormat->GetButtonStyle(nGrid) & TBBS_CHECKED);
    ::PostMessageA(m_pView->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(60, 60));
    PumpPendingMessages();
    EXPECT_STRNE("x,y", PaneText(1));

    closeActive();
    ASSERT_EQ(0, m_program.CountDocs());
    EXPECT_STREQ("x,y", PaneText(1));
    EXPECT_STREQ("Size", PaneText(2));
    EXPECT_STREQ("Zoom", PaneText(3));
    pFormat->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(0u, pFormat->GetButtonStyle(nGrid) & TBBS_CHECKED);
    EXPECT_NE(0u, pFormat->GetButtonStyle(nGrid) & TBBS_DISABLED);
}

TEST_F(EditingWhole, NewElementsTakeTheStoredShadowColour)
{
    COptionsKey key(m_program.OptionsKeyPath());
    key.SetDword(OPTION_SHADOW_COLOR, 0x00604020);
    OpenDoc();
    m_program.Command(ID_TOOL_RECTANGLE);
    ClickAt(CPoint(100, 100));
    CElement* pRect = m_pDoc->m_listElements.GetTail();
    ASSERT_TRUE(pRect != NULL && pRect->m_nKind == KIND_RECTANGLE);
    EXPECT_EQ(0xFF204060u, pRect->m_clrShadow);
    EXPECT_EQ(0xFF204060u, m_pDoc->m_clrShadow);
}

/////////////////////////////////////////////////////////////////////////////
// The about box and the file dialogs

namespace
{
// Pixels of the rectangle that differ from the background colour given.
int CountInk(CDC& dc, const CRect& rect, COLORREF clrBackground)
{
    int nInk = 0;
    for (int y = rect.top; y < rect.bottom; y++)
        for (int x = rect.left; x < rect.right; x++)
            nInk += dc.GetPixel(x, y) != clrBackground ? 1 : 0;
    return nInk;
}
}

TEST(EditingWholeDialogs, AboutBoxDrawsTheNamesInBold)
{
    CMessageBoxRecorder boxes;
    CDocProgram program;
    int nLabels = 0;
    CDialogScript script;
    script.OnDialog(IDD_ABOUTBOX)
        .Do([&](CWnd* pWnd) {
            CAboutDlg* pDlg = DYNAMIC_DOWNCAST(CAboutDlg, pWnd);
            ASSERT_TRUE(pDlg != NULL);
            for (CLinkLabel* pLabel : {&pDlg->m_lblCompany, &pDlg->m_lblProduct})
            {
                // the label as it is drawn on the screen
                pLabel->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
                CRect rect;
                pLabel->GetClientRect(&rect);
                CClientDC dc(pLabel);
                const int nDrawn = CountInk(dc, rect, dc.GetPixel(rect.right - 1, rect.bottom - 1));

                // its text in the same face and size at the regular weight
                CString strText;
                pLabel->GetWindowText(strText);
                LOGFONT lf = pLabel->m_lf;
                lf.lfWeight = FW_NORMAL;
                CFont fontRegular;
                ASSERT_TRUE(fontRegular.CreateFontIndirect(&lf));
                CDC dcMem;
                dcMem.CreateCompatibleDC(&dc);
                CBitmap bitmap;
                bitmap.CreateCompatibleBitmap(&dc, rect.Width(), rect.Height());
                CBitmap* pOldBitmap = dcMem.SelectObject(&bitmap);
                CFont* pOldFont = dcMem.SelectObject(&fontRegular);
                dcMem.FillSolidRect(&rect, RGB(255, 255, 255));
                dcMem.SetBkMode(TRANSPARENT);
                dcMem.SetTextColor(RGB(0, 0, 0));
                CRect rectText = rect;
                dcMem.DrawText(strText, &rectText, DT_LEFT | DT_WORDBREAK);
                const int nRegular = CountInk(dcMem, rect, RGB(255, 255, 255));
                dcMem.SelectObject(pOldFont);
                dcMem.SelectObject(pOldBitmap);

                ASSERT_GT(nRegular, 20) << (LPCTSTR)strText;
                EXPECT_GT(nDrawn * 100, nRegular * 115) << (LPCTSTR)strText << ": " << nDrawn << " / " << nRegular;
                nLabels++;
            }
        })
        .OK();
    program.Command(ID_APP_ABOUT);
    EXPECT_EQ(2, nLabels);
}

TEST(EditingWholeDialogs, FileDialogsOpenCentredOnTheMainWindow)
{
    CMessageBoxRecorder boxes;
    CDocProgram program;
    CWnd* pMain = program.m_pApp->m_pMainWnd;
    pMain->SetWindowPos(NULL, 120, 60, 860, 660, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rectDlg;
    CDialogScript script;
    script.OnCommonDialog([&](HWND hDlg) {
        ::GetWindowRect(hDlg, &rectDlg);
        ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDCANCEL));
    });
    program.Command(ID_FILE_OPEN);
    EXPECT_EQ(0, script.GetFailureCount());
    ASSERT_FALSE(rectDlg.IsRectEmpty());
    CRect rectMain;
    pMain->GetWindowRect(&rectMain);
    EXPECT_NEAR(rectMain.CenterPoint().x, rectDlg.CenterPoint().x, 2);
    EXPECT_NEAR(rectMain.CenterPoint().y, rectDlg.CenterPoint().y, 2);
}

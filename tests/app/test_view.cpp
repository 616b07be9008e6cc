// The design view: mapping and zoom, painting, the insert tools, selection, moving and
// resizing with the tracker, nudging, side switch and the module's helpers. Mouse input is
// sent to the view as messages; the tracking loops read messages posted before the press.

#include "doc_program.h"
#include "test_support.h"
#include "window_test_environment.h"
#include "model/Elements.h"

#include <memory>

namespace
{

class DesignView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // room for the view beside the bars
        m_program.m_pApp->m_pMainWnd->SetWindowPos(NULL, 0, 0, 1024, 768, SWP_NOZORDER | SWP_NOACTIVATE);
        m_pDoc = m_program.NewPlainDoc();
        m_pView = m_program.ActiveView();
        ASSERT_TRUE(m_pDoc != NULL);
        ASSERT_TRUE(m_pView != NULL);
        CFrameWnd* pFrame = m_pView->GetParentFrame();
        pFrame->ShowWindow(SW_SHOWMAXIMIZED);
        m_pDoc->m_nDesignWidth = 400;
        m_pDoc->m_nDesignHeight = 200;
        m_pDoc->m_clrBackgroundFront = 0xFFFFFFFF;
        m_pDoc->m_clrBackgroundBack = 0xFF00FF00;
        m_pView->m_bDisplayGrid = FALSE;
        m_pView->SetZoom(1.0f);
        m_pView->OnInitialUpdate();
        m_pView->ScrollToPosition(CPoint(0, 0));
        Drain();
    }

    // Dispatches what is queued for this thread.
    void Drain() { PumpPendingMessages(); }

    LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

    // A press at a pixel position with what the tracking loops will read queued before it.
    void Press(int x, int y, UINT nFlags = MK_LBUTTON)
    {
        m_pView->SendMessage(WM_LBUTTONDOWN, nFlags, At(x, y));
    }
    void Release(int x, int y, UINT nFlags = 0)
    {
        m_pView->SendMessage(WM_LBUTTONUP, nFlags, At(x, y));
    }
    void Move(int x, int y, UINT nFlags = MK_LBUTTON)
    {
        m_pView->SendMessage(WM_MOUSEMOVE, nFlags, At(x, y));
    }
    void Queue(UINT message, WPARAM wParam, LPARAM lParam)
    {
        ::PostMessageA(m_pView->m_hWnd, message, wParam, lParam);
    }
    // A click of the pointer: the rubber band's loop reads the queued release.
    void ClickPointer(int x, int y, UINT nFlags = MK_LBUTTON)
    {
        Queue(WM_LBUTTONUP, nFlags & ~MK_LBUTTON, At(x, y));
        Press(x, y, nFlags);
        Drain();
    }
    // A click with an insert tool: press and release at one point.
    void ClickTool(WORD nTool, int x, int y)
    {
        m_pDoc->m_nCurrentTool = nTool;
        Press(x, y);
        Release(x, y);
    }

    CRectangle* AddRect(int l, int t, int r, int b, BOOL bTransparent = FALSE, int nSide = 1)
    {
        CRectangle* pRect = new CRectangle(CPoint(l, t), CPoint(r, b));
        pRect->m_bTransparent = bTransparent;
        pRect->m_nSide = nSide;
        m_pDoc->m_listElements.AddTail(pRect);
        return pRect;
    }
    void Select(CElement* pElement)
    {
        m_pDoc->m_tracker.Add(pElement);
        m_pDoc->m_listSelection.AddHead(pElement);
    }
    CElement* LastElement() { return m_pDoc->m_listElements.IsEmpty() ? NULL : m_pDoc->m_listElements.GetTail(); }

    COLORREF PixelAt(int x, int y)
    {
        m_pView->Invalidate(FALSE);
        m_pView->UpdateWindow();
        CClientDC dc(m_pView);
        return dc.GetPixel(x, y);
    }

    CMessageBoxRecorder m_boxes;
    CDocProgram m_program;
    CVarnelDoc* m_pDoc = NULL;
    CVarnelView* m_pView = NULL;
};

// Runs a view command through the view's message map.
void ViewCommand(CVarnelView* pView, UINT nID)
{
    ASSERT_TRUE(pView->OnCmdMsg(nID, CN_COMMAND, NULL, NULL)) << nID;
}

class CEnableRecorder : public CCmdUI
{
public:
    explicit CEnableRecorder(UINT nID) { m_nID = nID; m_nIndexMax = 1; }
    virtual void Enable(BOOL bOn = TRUE) override { m_nEnabled = bOn ? 1 : 0; }
    int m_nEnabled = -1;
};

int Enabled(CVarnelView* pView, UINT nID)
{
    CEnableRecorder ui(nID);
    pView->OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &ui, NULL);
    return ui.m_nEnabled;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Mapping and zoom

TEST_F(DesignView, ZoomLadderStepsClampsAndDisablesAtTheEnds)
{
    const float aIn[] = { 0.5f, 0.75f, 1.0f, 1.5f, 2.0f, 3.0f, 3.0f };
    m_pView->SetZoom(0.25f);
    for (float fExpected : aIn)
    {
        ViewCommand(m_pView, ID_VIEW_ZOOM_IN);
        EXPECT_FLOAT_EQ(fExpected, m_pView->GetZoom());
    }
    EXPECT_EQ(0, Enabled(m_pView, ID_VIEW_ZOOM_IN));
    EXPECT_EQ(1, Enabled(m_pView, ID_VIEW_ZOOM_OUT));

    const float aOut[] = { 2.0f, 1.5f, 1.0f, 0.75f, 0.5f, 0.25f, 0.25f };
    for (float fExpected : aOut)
    {
        ViewCommand(m_pView, ID_VIEW_ZOOM_OUT);
        EXPECT_FLOAT_EQ(fExpected, m_pView->GetZoom());
    }
    EXPECT_EQ(0, Enabled(m_pView, ID_VIEW_ZOOM_OUT));

    // a zoom outside the ladder stays
    m_pView->SetZoom(0.8f);
    ViewCommand(m_pView, ID_VIEW_ZOOM_IN);
    EXPECT_FLOAT_EQ(0.8f, m_pView->GetZoom());
    ViewCommand(m_pView, ID_VIEW_ZOOM_OUT);
    EXPECT_FLOAT_EQ(0.8f, m_pView->GetZoom());

    const struct { UINT nID; float fZoom; } presets[] = {
        { ID_VIEW_ZOOM_25, 0.25f }, { ID_VIEW_ZOOM_50, 0.5f }, { ID_VIEW_ZOOM_75, 0.75f },
        { ID_VIEW_ZOOM_100, 1.0f }, { ID_VIEW_ZOOM_150, 1.5f }, { ID_VIEW_ZOOM_200, 2.0f },
        { ID_VIEW_ZOOM_300, 3.0f },
    };
    for (const auto& preset : presets)
    {
        ViewCommand(m_pView, preset.nID);
        EXPECT_FLOAT_EQ(preset.fZoom, m_pView->GetZoom());
    }
}

TEST_F(DesignView, ZoomSetsScrollSizesWithAMarginAroundThePage)
{
    m_pView->SetZoom(2.0f);
    ViewCommand(m_pView, ID_VIEW_ZOOM_IN);
    int nMapMode = 0;
    SIZE sizeTotal, sizePage, sizeLine;
    m_pView->GetDeviceScrollSizes(nMapMode, sizeTotal, sizePage, sizeLine);
    // 3.0 x (400 + 130 x 2) by 3.0 x (200 + 130), in LOENGLISH units converted to pixels
    const CSize sizeTotalLog = m_pView->GetTotalSize();
    EXPECT_EQ(1980, sizeTotalLog.cx);
    EXPECT_EQ(990, sizeTotalLog.cy);

    // a preset zoom also lets every part of the page be reached
    ViewCommand(m_pView, ID_VIEW_ZOOM_300);
    EXPECT_GE(m_pView->GetTotalSize().cx, 1200);
    EXPECT_GE(m_pView->GetTotalSize().cy, 600);
}

TEST_F(DesignView, ConversionsFollowZoomAndScrollPosition)
{
    m_pView->SetZoom(2.0f);
    CPoint point(100, 60);
    m_pView->DeviceToLogical(point);
    EXPECT_EQ(CPoint(50, 30), point);
    m_pView->LogicalToDevice(point);
    EXPECT_EQ(CPoint(100, 60), point);

    CRect rect(10, 20, 30, 40);
    m_pView->LogicalToDeviceRect(rect);
    EXPECT_EQ(CRect(20, 40, 60, 80), rect);

    ViewCommand(m_pView, ID_VIEW_ZOOM_300);
    m_pView->ScrollToPosition(CPoint(90, 30));      // LOENGLISH scroll units are pixels here
    Drain();
    CPoint ptOrigin(0, 0);
    m_pView->DeviceToLogical(ptOrigin);
    CPoint ptExpected = m_pView->GetDeviceScrollPosition();
    // GDI rounds to the nearest unit
    EXPECT_LE(abs(ptOrigin.x * 3 - ptExpected.x), 1);
    EXPECT_LE(abs(ptOrigin.y * 3 - ptExpected.y), 1);
    EXPECT_GT(ptOrigin.x, 0);
}

/////////////////////////////////////////////////////////////////////////////
// Painting

TEST_F(DesignView, PaintsDeskPageBorderElementsAndGrid)
{
    CRectangle* pRect = AddRect(100, 50, 200, 150);
    pRect->m_nFillKind = 1;
    pRect->m_clrFill = 0xFFFF0000;
    pRect->m_nLineWidth = 0;

    EXPECT_EQ(RGB(192, 192, 192), PixelAt(450, 100));     // desk
    EXPECT_EQ(RGB(255, 255, 255), PixelAt(50, 100));      // page
    EXPECT_EQ(RGB(0, 0, 0), PixelAt(400, 100));           // right border
    EXPECT_EQ(RGB(0, 0, 0), PixelAt(200, 200));           // bottom border
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(150, 100));         // element

    // zoom 1.5: the element and the border move out
    m_pView->SetZoom(1.5f);
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(225, 150));
    EXPECT_EQ(RGB(0, 0, 0), PixelAt(600, 100));
    EXPECT_EQ(RGB(255, 255, 255), PixelAt(580, 50));
    EXPECT_EQ(RGB(192, 192, 192), PixelAt(610, 50));

    // grid at zoom 0.5 with size 40: lines 20 pixels apart
    m_pView->SetZoom(0.5f);
    m_pView->m_bDisplayGrid = TRUE;
    m_pView->m_nGridType = 1;
    m_pView->m_nGridSize = 40;
    m_pView->m_clrGrid = 0xFF0000FF;
    EXPECT_EQ(RGB(0, 0, 255), PixelAt(20, 5));
    EXPECT_EQ(RGB(0, 0, 255), PixelAt(40, 7));
    EXPECT_EQ(RGB(255, 255, 255), PixelAt(30, 7));

    // a grid step under two pixels is not drawn (and the paint ends)
    m_pView->m_nGridSize = 1;
    EXPECT_EQ(RGB(255, 255, 255), PixelAt(30, 7));
}

TEST_F(DesignView, BackSideShowsOnlyItsElementsOnItsBackground)
{
    m_pDoc->m_nPublicationType = 3;
    CRectangle* pFront = AddRect(10, 10, 100, 100, FALSE, 1);
    pFront->m_nFillKind = 1;
    pFront->m_clrFill = 0xFFFF0000;
    m_pView->SwitchSide(2);
    EXPECT_EQ(2, m_pDoc->m_nSide);
    EXPECT_EQ(RGB(0, 255, 0), PixelAt(50, 50));
    m_pView->SwitchSide(1);
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(50, 50));

    // labels and envelopes have one side
    m_pDoc->m_nPublicationType = 0;
    m_pView->SwitchSide(2);
    EXPECT_EQ(1, m_pDoc->m_nSide);
}

TEST_F(DesignView, SelectedElementsShowHandlesLockedOnesRed)
{
    CRectangle* pRect = AddRect(100, 50, 200, 150);
    Select(pRect);
    // handles sit outside the rectangle (top-left handle just above and left of it)
    EXPECT_EQ(RGB(0, 0, 0), PixelAt(97, 47));
    pRect->m_bLocked = TRUE;
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(97, 47));
}

/////////////////////////////////////////////////////////////////////////////
// Insert tools

TEST_F(DesignView, ClicksInsertElementsOfTheirDefaultSizes)
{
    ClickTool(102, 100, 100);
    CElement* pRect = LastElement();
    ASSERT_TRUE(pRect != NULL && pRect->IsKindOf(RUNTIME_CLASS(CRectangle)));
    EXPECT_EQ(CRect(100, 100, 150, 150), pRect->GetRect());
    EXPECT_EQ(100, m_pDoc->m_nCurrentTool);
    ASSERT_EQ(1, m_pDoc->m_listSelection.GetCount());
    EXPECT_EQ(pRect, m_pDoc->m_listSelection.GetHead());
    EXPECT_TRUE(m_pDoc->IsModified());
    EXPECT_EQ(::GetCapture(), (HWND)NULL);

    ClickTool(212, 20, 20);
    CElement* pDbText = LastElement();
    ASSERT_TRUE(pDbText->IsKindOf(RUNTIME_CLASS(CDbText)));
    EXPECT_EQ(CRect(20, 20, 170, 50), pDbText->GetRect());
    EXPECT_EQ(CString("<<TextFromDB>>"), pDbText->m_strText);

    ClickTool(115, 360, 20);            // clamped at the right edge of the 400-wide page
    CElement* pText = LastElement();
    ASSERT_TRUE(pText->IsKindOf(RUNTIME_CLASS(CText)));
    EXPECT_EQ(CRect(360, 20, 400, 70), pText->GetRect());
    EXPECT_EQ(CString("Text"), pText->m_strText);

    const struct { WORD nTool; CSize size; const char* pszClass; } cases[] = {
        { 101, CSize(50, 50), "CLine" }, { 103, CSize(50, 50), "CCircle" },
        { 105, CSize(50, 50), "CRhombus" }, { 107, CSize(50, 50), "CRectRound" },
        { 108, CSize(50, 50), "CTriangle" }, { 201, CSize(100, 50), "CCalloutBL" },
        { 202, CSize(100, 50), "CCalloutBR" }, { 205, CSize(100, 50), "CShapeParallelo" },
        { 206, CSize(50, 50), "CShapeArrowL" }, { 207, CSize(75, 75), "CShapeStar" },
        { 208, CSize(150, 150), "CShapeExplosion" }, { 209, CSize(100, 75), "CShapeMoon" },
        { 210, CSize(50, 50), "CShapeArrowR" }, { 211, CSize(50, 50), "CShapeSun" },
    };
    m_pDoc->m_nDesignHeight = 400;
    for (const auto& c : cases)
    {
        ClickTool(c.nTool, 10, 10);
        CElement* pElement = LastElement();
        EXPECT_STREQ(c.pszClass, pElement->GetRuntimeClass()->m_lpszClassName);
        const CRect rect = pElement->GetRect();
        EXPECT_EQ(c.size, rect.Size()) << c.pszClass;
        if (c.nTool != 211)
            EXPECT_EQ(CPoint(10, 10), rect.TopLeft()) << c.pszClass;
        else    // the sun moves in, so that its rays stay on the page
            EXPECT_TRUE(rect.left > 10 && rect.top > 10) << rect.left << "," << rect.top;
        EXPECT_EQ(1, pElement->m_nSide);
    }
}

TEST_F(DesignView, DragInsertsFromPressToReleaseAndFreesThePreview)
{
    m_pDoc->m_nCurrentTool = 115;
    Press(20, 20);
    Move(150, 21);
    Move(320, 21);
    EXPECT_TRUE(m_pView->m_pNewElement != NULL);
    Release(320, 21);
    EXPECT_TRUE(m_pView->m_pNewElement == NULL);
    CElement* pText = LastElement();
    ASSERT_TRUE(pText != NULL);
    EXPECT_EQ(CRect(20, 20, 320, 70), pText->GetRect());      // 300 wide, 50 high
    EXPECT_EQ(1, m_pDoc->m_listElements.GetCount());
    EXPECT_EQ(1, m_pDoc->GetUndoLevels());
}

TEST_F(DesignView, FreehandAndClosedCurvesCollectPoints)
{
    m_pDoc->m_nCurrentTool = 114;
    Press(10, 10);
    Move(20, 15);
    Move(40, 30);
    Move(60, 20);
    Release(60, 20);
    CFreehandLine* pLine = dynamic_cast<CFreehandLine*>(LastElement());
    ASSERT_TRUE(pLine != NULL);
    EXPECT_EQ(3, pLine->m_nPointCount);
    EXPECT_EQ(100, m_pDoc->m_nCurrentTool);

    m_pDoc->m_nCurrentTool = 120;
    Press(100, 100);
    Move(150, 100);
    Move(150, 150);
    Move(100, 150);
    Release(100, 150);
    CClosedCurve* pCurve = dynamic_cast<CClosedCurve*>(LastElement());
    ASSERT_TRUE(pCurve != NULL);
    ASSERT_EQ(4, pCurve->m_nPointCount);        // closed on its first point
    EXPECT_FLOAT_EQ(pCurve->m_pPoints[0].X, pCurve->m_pPoints[3].X);
    EXPECT_FLOAT_EQ(pCurve->m_pPoints[0].Y, pCurve->m_pPoints[3].Y);
}

TEST_F(DesignView, RightPressWithAnInsertToolCancelsTheDrawing)
{
    m_pDoc->m_nCurrentTool = 102;
    Press(20, 20);
    Move(80, 80);
    EXPECT_EQ(m_pView->m_hWnd, ::GetCapture());
    m_pView->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, At(80, 80));
    EXPECT_EQ((HWND)NULL, ::GetCapture());
    EXPECT_TRUE(m_pView->m_pNewElement == NULL);
    Release(80, 80);
    EXPECT_TRUE(m_pDoc->m_listElements.IsEmpty());
}

/////////////////////////////////////////////////////////////////////////////
// Selection

TEST_F(DesignView, ClickSelectsTopmostFilledCtrlAddsRubberBandEncloses)
{
    CRectangle* pLow = AddRect(10, 10, 100, 100);
    CRectangle* pHigh = AddRect(50, 50, 150, 150);
    CRectangle* pOther = AddRect(250, 20, 300, 60);

    ClickPointer(60, 60);
    ASSERT_EQ(1, m_pDoc->m_listSelection.GetCount());
    EXPECT_EQ(pHigh, m_pDoc->m_listSelection.GetHead());

    ClickPointer(270, 40, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(2, m_pDoc->m_listSelection.GetCount());

    ClickPointer(20, 20);
    ASSERT_EQ(1, m_pDoc->m_listSelection.GetCount());
    EXPECT_EQ(pLow, m_pDoc->m_listSelection.GetHead());

    // a band from (200,5) to (320,90) encloses only the third rectangle
    ClickPointer(350, 180);     // empty space clears
    EXPECT_EQ(0, m_pDoc->m_listSelection.GetCount());
    Queue(WM_MOUSEMOVE, MK_LBUTTON, At(260, 50));
    Queue(WM_MOUSEMOVE, MK_LBUTTON, At(320, 90));
    Queue(WM_LBUTTONUP, 0, At(320, 90));
    Press(200, 5);
    Drain();
    ASSERT_EQ(1, m_pDoc->m_listSelection.GetCount());
    EXPECT_EQ(pOther, m_pDoc->m_listSelection.GetHead());

    // a band crossing an edge selects nothing
    ClickPointer(350, 180);
    Queue(WM_MOUSEMOVE, MK_LBUTTON, At(120, 120));
    Queue(WM_LBUTTONUP, 0, At(120, 120));
    Press(30, 30);
    Drain();
    EXPECT_EQ(0, m_pDoc->m_listSelection.GetCount());
}

TEST_F(DesignView, TransparentElementsAreSelectableWhateverTheirSize)
{
    CRectangle* pFilled = AddRect(100, 100, 140, 140);
    CRectangle* pBig = AddRect(0, 0, 400, 200, TRUE);       // larger than any old limit
    m_pDoc->m_nDesignWidth = 1000;
    m_pDoc->m_nDesignHeight = 1000;
    pBig->SetRect(0, 0, 900, 900);

    // inside both: the smaller filled one below the transparent one
    ClickPointer(120, 120);
    ASSERT_EQ(1, m_pDoc->m_listSelection.GetCount());
    EXPECT_EQ(pFilled, m_pDoc->m_listSelection.GetHead());

    m_pDoc->m_tracker.RemoveAll();
    ClickPointer(300, 300);
    ASSERT_EQ(1, m_pDoc->m_listSelection.GetCount());
    EXPECT_EQ(pBig, m_pDoc->m_listSelection.GetHead());
}

/////////////////////////////////////////////////////////////////////////////
// Tracker: moving and resizing

TEST_F(DesignView, MovingKeepsSizesAtZoomAndSkipsLockedElements)
{
    m_pView->SetZoom(2.0f);
    CRectangle* pA = AddRect(10, 10, 41, 31);
    CRectangle* pB = AddRect(100, 10, 133, 47);
    CRectangle* pLocked = AddRect(200, 10, 220, 30);
    pLocked->m_bLocked = TRUE;
    Select(pA);
    Select(pB);
    Select(pLocked);
    const int nLevels = m_pDoc->GetUndoLevels();

    // press inside A (pixels 40,40 = units 20,20), drag by 31 x 21 pixels
    Queue(WM_MOUSEMOVE, MK_LBUTTON, At(55, 50));
    Queue(WM_MOUSEMOVE, MK_LBUTTON, At(71, 61));
    Queue(WM_LBUTTONUP, 0, At(71, 61));
    Press(40, 40);
    Drain();

    const CRect rectA = pA->GetRect();
    const CRect rectB = pB->GetRect();
    EXPECT_EQ(31, rectA.Width());
    EXPECT_EQ(21, rectA.Height());
    EXPECT_EQ(33, rectB.Width());
    EXPECT_EQ(37, rectB.Height());
    EXPECT_EQ(rectA.left - 10, rectB.left - 100);
    EXPECT_GE(rectA.left, 24);
    EXPECT_LE(rectA.left, 26);
    EXPECT_EQ(CRect(200, 10, 220, 30), pLocked->GetRect());
    EXPECT_EQ(nLevels + 1, m_pDoc->GetUndoLevels());
    EXPECT_TRUE(m_pDoc->IsModified());
}

TEST_F(DesignView, EscapeAndRightButtonCancelAMoveWithoutUndo)
{
    CRectangle* pA = AddRect(10, 10, 60, 60);
    Select(pA);
    const int nLevels = m_pDoc->GetUndoLevels();

    Queue(WM_MOUSEMOVE, MK_LBUTTON, At(80, 80));
    Queue(WM_KEYDOWN, VK_ESCAPE, 0);
    Press(30, 30);
    Drain();
    EXPECT_EQ(CRect(10, 10, 60, 60), pA->GetRect());

    Queue(WM_MOUSEMOVE, MK_LBUTTON, At(80, 80));
    Queue(WM_RBUTTONDOWN, MK_RBUTTON, At(80, 80));
    Press(30, 30);
    Drain();
    EXPECT_EQ(CRect(10, 10, 60, 60), pA->GetRect());

    // a press and release without movement
    Queue(WM_LBUTTONUP, 0, At(30, 30));
    Press(30, 30);
    Drain();
    EXPECT_EQ(CRect(10, 10, 60, 60), pA->GetRect());
    EXPECT_EQ(nLevels, m_pDoc->GetUndoLevels());
    EXPECT_EQ((HWND)NULL, ::GetCapture());
}

TEST_F(DesignView, HandleResizesOnlyThatElementAndEscapeRestores)
{
    CRectangle* pA = AddRect(10, 10, 60, 60);
    CRectangle* pB = AddRect(100, 10, 150, 60);
    Select(pA);
    Select(pB);
    const int nLevels = m_pDoc->GetUndoLevels();

    // bottom-right handle of B lies just outside its corner
    Queue(WM_MOUSEMOVE, MK_LBUTTON, At(172, 82));
    Queue(WM_LBUTTONUP, 0, At(172, 82));
    Press(152, 62);
    Drain();
    EXPECT_EQ(CRect(100, 10, 170, 80), pB->GetRect());
    ASSERT_EQ(1, m_pDoc->m_listSelection.GetCount());
    EXPECT_EQ(pB, m_pDoc->m_listSelection.GetHead());
    EXPECT_EQ(nLevels + 1, m_pDoc->GetUndoLevels());

    Queue(WM_MOUSEMOVE, MK_LBUTTON, At(200, 120));
    Queue(WM_KEYDOWN, VK_ESCAPE, 0);
    Press(172, 82);
    Drain();
    EXPECT_EQ(CRect(100, 10, 170, 80), pB->GetRect());
    EXPECT_EQ(nLevels + 1, m_pDoc->GetUndoLevels());
    EXPECT_EQ(CRect(10, 10, 60, 60), pA->GetRect());

    // a click on a handle without movement takes no undo level
    Queue(WM_LBUTTONUP, 0, At(172, 82));
    Press(172, 82);
    Drain();
    EXPECT_EQ(nLevels + 1, m_pDoc->GetUndoLevels());
}

/////////////////////////////////////////////////////////////////////////////
// Keys

TEST_F(DesignView, ArrowsNudgeTheSelectionWithinThePage)
{
    CRectangle* pA = AddRect(10, 10, 60, 60);
    CRectangle* pEdge = AddRect(380, 10, 400, 40);
    CRectangle* pLocked = AddRect(100, 100, 120, 120);
    pLocked->m_bLocked = TRUE;
    Select(pA);
    Select(pEdge);
    Select(pLocked);

    m_pView->NudgeSelection(VK_RIGHT, TRUE);
    EXPECT_EQ(CRect(20, 10, 70, 60), pA->GetRect());
    EXPECT_EQ(CRect(380, 10, 400, 40), pEdge->GetRect());     // centre would leave the page
    EXPECT_EQ(CRect(100, 100, 120, 120), pLocked->GetRect());
    m_pView->NudgeSelection(VK_UP, FALSE);
    EXPECT_EQ(CRect(20, 9, 70, 59), pA->GetRect());
    EXPECT_EQ(2, m_pDoc->GetUndoLevels());

    // nothing movable: no undo level
    m_pDoc->m_listSelection.RemoveAll();
    m_pDoc->m_listSelection.AddTail(pLocked);
    m_pView->NudgeSelection(VK_LEFT, FALSE);
    EXPECT_EQ(2, m_pDoc->GetUndoLevels());
}

/////////////////////////////////////////////////////////////////////////////
// Helpers

TEST(DesignViewHelpers, WideStringsSplittingAndFolders)
{
    CString strLong;
    for (int i = 0; i < 300; i++)
        strLong += (char)('a' + i % 26);
    strLong += "\xe9";      // e acute in the ANSI code page
    std::unique_ptr<WCHAR[]> pWide(AllocWideString(strLong));
    EXPECT_EQ(301u, wcslen(pWide.get()));
    EXPECT_EQ(0x00E9, pWide[300]);
    std::unique_ptr<WCHAR[]> pEmpty(AllocWideString(CString()));
    EXPECT_EQ(0u, wcslen(pEmpty.get()));

    CString str = "Name::Value::Rest";
    BOOL bFound = FALSE;
    EXPECT_EQ(CString("Name"), SplitAtToken(str, "::", bFound));
    EXPECT_TRUE(bFound);
    EXPECT_EQ(CString("Value::Rest"), str);
    CString strNone = "abc";
    EXPECT_EQ(CString(), SplitAtToken(strNone, "::", bFound));
    EXPECT_FALSE(bFound);
    EXPECT_EQ(CString("abc"), strNone);
    EXPECT_EQ(CString(), SplitAtToken(strNone, "", bFound));
    EXPECT_FALSE(bFound);

    EXPECT_EQ(CString("C:\\Labels"), GetFolderOfPath("C:\\Labels\\a.labf"));
    EXPECT_EQ(CString(), GetFolderOfPath("\\a.labf"));
    EXPECT_EQ(CString(), GetFolderOfPath("a.labf"));
    EXPECT_EQ(CString("-12"), IntToString(-12));
}

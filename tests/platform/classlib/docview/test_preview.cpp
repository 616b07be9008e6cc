// Print preview of the demonstration: the preview takes the main frame's pane
// and hides the bars and the menu, shows the pages scaled at a zoom, pages
// through them one or two at a time, prints, and gives everything back.

#include "docdemo.h"
#include "test_support.h"
#include "test_printer.h"
#include <gtest/gtest.h>

namespace
{

class CPreviewFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(InstallTestPrinter().IsEmpty()) << "the test printer is missing";
        m_pProgram = new CDocDemoProgram;
        m_pProgram->Command(ID_FILE_NEW);
        m_pView = m_pProgram->ActiveView();
        ASSERT_TRUE(m_pView != NULL);
        m_pFrame = m_pProgram->m_pMainFrame;
        m_hMenuBefore = ::GetMenu(m_pFrame->m_hWnd);
    }
    void TearDown() override
    {
        delete m_pProgram;
    }

    CPreviewView* Preview()
    {
        CWnd* pWnd = m_pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
        return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CPreviewView)) ? (CPreviewView*)pWnd : NULL;
    }
    CWnd* PreviewButton(UINT nID)
    {
        CWnd* pBar = m_pFrame->GetDlgItem(AFX_IDW_PREVIEW_BAR);
        return pBar != NULL ? pBar->GetDlgItem((int)nID) : NULL;
    }
    // The buttons as the idle update leaves them.
    void UpdateButtons()
    {
        CWnd* pBar = m_pFrame->GetDlgItem(AFX_IDW_PREVIEW_BAR);
        ASSERT_TRUE(pBar != NULL);
        pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    }
    CString ButtonText(UINT nID)
    {
        CString str;
        PreviewButton(nID)->GetWindowText(str);
        return str;
    }
    // Pixel of the preview window at a point of page nIndex given in inches of the printable area.
    COLORREF PagePixel(UINT nIndex, double xInch, double yInch)
    {
        CPreviewView* pPreview = Preview();
        CRect rcPage = pPreview->GetPageRect(nIndex);
        CPoint ptScroll = pPreview->GetDeviceScrollPosition();
        // the sheet is 8.5 x 11 inches, its printable area starts a quarter inch in
        int x = rcPage.left + (int)((xInch + 0.25) * rcPage.Width() / 8.5) - ptScroll.x;
        int y = rcPage.top + (int)((yInch + 0.25) * rcPage.Height() / 11.0) - ptScroll.y;
        CClientDC dc(pPreview);
        return dc.GetPixel(x, y);
    }

    CDocDemoProgram* m_pProgram = NULL;
    CDemoSheetView* m_pView = NULL;
    CDemoMainFrame* m_pFrame = NULL;
    HMENU m_hMenuBefore = NULL;
};

} // namespace

TEST_F(CPreviewFixture, PreviewTakesTheFrameAndClosingGivesItBack)
{
    CDialogScript script;       // the preview asks nothing
    m_pProgram->Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(0, script.GetRecordCount());

    CPreviewView* pPreview = Preview();
    ASSERT_TRUE(pPreview != NULL);
    EXPECT_TRUE(pPreview->IsWindowVisible());
    EXPECT_EQ(pPreview, m_pFrame->GetActiveView());
    EXPECT_FALSE(::IsWindowVisible(m_pFrame->m_hWndMDIClient));
    EXPECT_EQ(AFX_IDW_PANE_SAVE, ::GetDlgCtrlID(m_pFrame->m_hWndMDIClient));
    EXPECT_EQ(NULL, ::GetMenu(m_pFrame->m_hWnd));
    EXPECT_FALSE(m_pFrame->m_wndToolBar.IsWindowVisible()) << "bars hide during the preview";
    EXPECT_TRUE(m_pFrame->m_wndStatusBar.IsWindowVisible()) << "the status bar shows the page";
    EXPECT_STREQ("Page 1", m_pFrame->GetStatusText());
    ASSERT_TRUE(PreviewButton(AFX_ID_PREVIEW_CLOSE) != NULL);

    // the pages are the view's, drawn for the preview
    pPreview->UpdateWindow();
    EXPECT_EQ(1, m_pView->m_nBeginPrinting);
    EXPECT_TRUE(m_pView->m_bLastPreview);
    ASSERT_FALSE(m_pView->m_printedPages.empty());
    EXPECT_EQ(1u, m_pView->m_printedPages.back());

    m_pProgram->Command(AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(NULL, Preview());
    EXPECT_EQ(NULL, m_pFrame->GetDlgItem(AFX_IDW_PREVIEW_BAR));
    EXPECT_EQ(AFX_IDW_PANE_FIRST, ::GetDlgCtrlID(m_pFrame->m_hWndMDIClient));
    EXPECT_TRUE(::IsWindowVisible(m_pFrame->m_hWndMDIClient));
    EXPECT_EQ(m_hMenuBefore, ::GetMenu(m_pFrame->m_hWnd));
    EXPECT_TRUE(m_pFrame->m_wndToolBar.IsWindowVisible());
    EXPECT_EQ(1, m_pView->m_nEndPrinting);
    EXPECT_EQ(m_pView, m_pProgram->ActiveView());

    // the document still has its own views only
    int nViews = 0;
    POSITION pos = m_pProgram->ActiveDoc()->GetFirstViewPosition();
    while (pos != NULL)
    {
        m_pProgram->ActiveDoc()->GetNextView(pos);
        ++nViews;
    }
    EXPECT_EQ(6, nViews);
}

TEST_F(CPreviewFixture, PagesAreDrawnScaledOntoWhiteSheets)
{
    m_pProgram->Command(ID_FILE_PRINT_PREVIEW);
    CPreviewView* pPreview = Preview();
    ASSERT_TRUE(pPreview != NULL);
    pPreview->UpdateWindow();

    CRect rcPage = pPreview->GetPageRect(0);
    CRect rcClient;
    pPreview->GetClientRect(&rcClient);
    ASSERT_FALSE(rcPage.IsRectEmpty());
    EXPECT_TRUE(rcClient.PtInRect(rcPage.TopLeft()));
    EXPECT_LE(rcPage.bottom, rcClient.bottom) << "zoomed out, the whole page shows";
    // the page is the whole sheet (letter, 8.5 by 11 inches)
    EXPECT_NEAR(8.5 / 11.0, (double)rcPage.Width() / rcPage.Height(), 0.01);

    // the view's one-inch square at one inch, the paper white around it
    EXPECT_EQ(RGB(0, 0, 0), PagePixel(0, 1.5, 1.5));
    EXPECT_EQ(RGB(255, 255, 255), PagePixel(0, 0.5, 0.5));
    EXPECT_EQ(RGB(255, 255, 255), PagePixel(0, 2.5, 1.5));
    EXPECT_EQ(RGB(255, 255, 255), PagePixel(0, 6.0, 9.0));
    // the margins the printer does not print on are paper too
    EXPECT_EQ(RGB(255, 255, 255), PagePixel(0, -0.15, 1.5));
    EXPECT_EQ(RGB(255, 255, 255), PagePixel(0, 8.1, 10.6));
    // outside the sheet the background
    CClientDC dc(pPreview);
    EXPECT_EQ(::GetSysColor(COLOR_APPWORKSPACE), dc.GetPixel(rcPage.left - 5, rcPage.top + 10));
}

TEST_F(CPreviewFixture, NextPreviousAndTwoPagesMoveThroughTheDocument)
{
    m_pProgram->Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_TRUE(Preview() != NULL);
    UpdateButtons();
    EXPECT_FALSE(PreviewButton(AFX_ID_PREVIEW_PREV)->IsWindowEnabled());
    EXPECT_TRUE(PreviewButton(AFX_ID_PREVIEW_NEXT)->IsWindowEnabled());
    EXPECT_STREQ("&Two Page", ButtonText(AFX_ID_PREVIEW_NUMPAGE));

    m_pProgram->Command(AFX_ID_PREVIEW_NEXT);
    EXPECT_STREQ("Page 2", m_pFrame->GetStatusText());
    m_pProgram->Command(AFX_ID_PREVIEW_NEXT);
    EXPECT_STREQ("Page 3", m_pFrame->GetStatusText());
    UpdateButtons();
    EXPECT_FALSE(PreviewButton(AFX_ID_PREVIEW_NEXT)->IsWindowEnabled()) << "the last page";
    EXPECT_TRUE(PreviewButton(AFX_ID_PREVIEW_PREV)->IsWindowEnabled());
    m_pProgram->Command(AFX_ID_PREVIEW_NEXT);
    EXPECT_STREQ("Page 3", m_pFrame->GetStatusText());

    // two pages: the last two of three, then from the start
    m_pProgram->Command(AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_STREQ("Pages 2-3", m_pFrame->GetStatusText());
    UpdateButtons();
    EXPECT_STREQ("&One Page", ButtonText(AFX_ID_PREVIEW_NUMPAGE));
    EXPECT_FALSE(Preview()->GetPageRect(1).IsRectEmpty());
    Preview()->UpdateWindow();
    EXPECT_EQ(RGB(0, 0, 0), PagePixel(1, 1.5, 1.5));
    m_pProgram->Command(AFX_ID_PREVIEW_PREV);
    EXPECT_STREQ("Pages 1-2", m_pFrame->GetStatusText());
    Preview()->UpdateWindow();
    ASSERT_GE(m_pView->m_printedPages.size(), 2u);
    EXPECT_EQ(std::vector<UINT>({ 1, 2 }),
              std::vector<UINT>(m_pView->m_printedPages.end() - 2, m_pView->m_printedPages.end()));
    m_pProgram->Command(AFX_ID_PREVIEW_CLOSE);
}

TEST_F(CPreviewFixture, ZoomingInShowsThePageLargerWithScrollBars)
{
    m_pProgram->Command(ID_FILE_PRINT_PREVIEW);
    CPreviewView* pPreview = Preview();
    ASSERT_TRUE(pPreview != NULL);
    CRect rcOut = pPreview->GetPageRect(0);
    EXPECT_FALSE(pPreview->GetStyle() & WS_VSCROLL);

    m_pProgram->Command(AFX_ID_PREVIEW_ZOOMIN);
    m_pProgram->Command(AFX_ID_PREVIEW_ZOOMIN);
    CRect rcIn = pPreview->GetPageRect(0);
    EXPECT_GT(rcIn.Width(), rcOut.Width());
    EXPECT_TRUE(pPreview->GetStyle() & WS_VSCROLL);
    UpdateButtons();
    EXPECT_FALSE(PreviewButton(AFX_ID_PREVIEW_ZOOMIN)->IsWindowEnabled());
    EXPECT_FALSE(PreviewButton(AFX_ID_PREVIEW_NUMPAGE)->IsWindowEnabled());
    pPreview->UpdateWindow();
    EXPECT_EQ(RGB(0, 0, 0), PagePixel(0, 1.5, 1.5));

    m_pProgram->Command(AFX_ID_PREVIEW_ZOOMOUT);
    m_pProgram->Command(AFX_ID_PREVIEW_ZOOMOUT);
    EXPECT_EQ(rcOut, pPreview->GetPageRect(0));
    EXPECT_FALSE(pPreview->GetStyle() & WS_VSCROLL);
    m_pProgram->Command(AFX_ID_PREVIEW_CLOSE);
}

TEST_F(CPreviewFixture, ClosingTheMainWindowEndsOnlyThePreview)
{
    m_pProgram->Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_TRUE(Preview() != NULL);
    m_pProgram->ActiveDoc()->SetModifiedFlag();
    CMessageBoxRecorder boxes;
    m_pFrame->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(m_pFrame->m_hWnd));
    EXPECT_EQ(NULL, Preview());
    EXPECT_EQ(0, boxes.GetCount()) << "no save question";
    EXPECT_EQ(1, m_pProgram->CountDocs());
    EXPECT_EQ(m_hMenuBefore, ::GetMenu(m_pFrame->m_hWnd));
}

TEST_F(CPreviewFixture, PrintFromThePreviewClosesItAndPrints)
{
    m_pProgram->Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_TRUE(Preview() != NULL);

    CDemoSheetView::s_bPrintToFile = TRUE;
    CDemoFolder folder;
    CDialogScript script;
    script.OnPrintDialog(CDialogScript::CPrintAnswer());
    script.OnFileDialog(folder.File("from-preview.ps"));
    m_pProgram->Command(AFX_ID_PREVIEW_PRINT);

    EXPECT_EQ(NULL, Preview());
    EXPECT_EQ(3, CountPostScriptPages(folder.File("from-preview.ps")));
    EXPECT_EQ(std::vector<UINT>({ 1, 2, 3 }), m_pView->m_printedPages);
}

TEST_F(CPreviewFixture, ThePreviewStartsWithTheNumberOfPagesAsked)
{
    CDemoSheetView::s_nNumPreviewPages = 2;
    m_pProgram->Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_TRUE(Preview() != NULL);
    EXPECT_STREQ("Pages 1-2", m_pFrame->GetStatusText());
    EXPECT_FALSE(Preview()->GetPageRect(1).IsRectEmpty());
    m_pProgram->Command(AFX_ID_PREVIEW_CLOSE);
}

namespace
{
// A pixel of the bitmap, whatever mapping the DC has.
COLORREF DevicePixel(CDC& dc, int x, int y)
{
    int nSaved = ::SaveDC(dc.m_hDC);
    ::SetMapMode(dc.m_hDC, MM_TEXT);
    ::SetViewportOrgEx(dc.m_hDC, 0, 0, NULL);
    ::SetWindowOrgEx(dc.m_hDC, 0, 0, NULL);
    COLORREF clr = ::GetPixel(dc.m_hDC, x, y);
    ::RestoreDC(dc.m_hDC, nSaved);
    return clr;
}
} // namespace

TEST(PreviewDC, DrawingIsScaledAndMovedOntoThePage)
{
    // the "printer" is a memory DC; the output a white bitmap
    CDC dcPrinter;
    ASSERT_TRUE(dcPrinter.CreateCompatibleDC(NULL));
    CDC dcScreen;
    ASSERT_TRUE(dcScreen.CreateCompatibleDC(NULL));
    CClientDC dcDesktop(NULL);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dcDesktop, 200, 200));
    CBitmap* pOld = dcScreen.SelectObject(&bitmap);
    dcScreen.FillSolidRect(0, 0, 200, 200, RGB(255, 255, 255));

    CPreviewDC dc;
    dc.SetAttribDC(dcPrinter.m_hDC);
    dc.SetOutputDC(dcScreen.m_hDC);
    EXPECT_TRUE(dc.IsPrinting());
    // half size, the page's corner at (100, 50)
    dc.SetScaleRatio(1, 2, 1, 2);
    dc.SetTopLeftOffset(CPoint(100, 50));
    dc.FillSolidRect(10, 20, 40, 40, RGB(0, 0, 0));     // printer pixels 10..50, 20..60
    EXPECT_EQ(RGB(0, 0, 0), DevicePixel(dcScreen, 100 + 15, 50 + 20));
    EXPECT_EQ(RGB(255, 255, 255), DevicePixel(dcScreen, 100 + 3, 50 + 20));
    EXPECT_EQ(RGB(255, 255, 255), DevicePixel(dcScreen, 100 + 15, 50 + 35));
    EXPECT_EQ(RGB(255, 255, 255), DevicePixel(dcScreen, 15, 20)) << "not at the printer's place";

    // a view's own mapping is kept: two printer pixels per unit, origin moved
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1, 1);
    dc.SetViewportExt(2, 2);
    dc.SetViewportOrg(20, 0);
    CPoint pt(5, 5);
    dc.LPtoDP(&pt);
    EXPECT_EQ(CPoint(30, 10), pt) << "measured on the printer";
    dc.FillSolidRect(0, 40, 10, 10, RGB(255, 0, 0));   // printer pixels 20..40, 80..100
    EXPECT_EQ(RGB(255, 0, 0), DevicePixel(dcScreen, 100 + 15, 50 + 45));
    EXPECT_EQ(RGB(255, 255, 255), DevicePixel(dcScreen, 100 + 5, 50 + 45));

    // saving and restoring brings both DCs back
    int nSaved = dc.SaveDC();
    dc.SetMapMode(MM_TEXT);
    dc.SetViewportOrg(0, 0);
    dc.RestoreDC(nSaved);
    EXPECT_EQ(MM_ANISOTROPIC, dcPrinter.GetMapMode());
    dc.FillSolidRect(10, 40, 10, 10, RGB(0, 0, 255));  // printer pixels 40..60, 80..100
    EXPECT_EQ(RGB(0, 0, 255), DevicePixel(dcScreen, 100 + 25, 50 + 45));

    // a font is chosen on the printer and its copy draws on the screen
    CFont font;
    ASSERT_TRUE(font.CreateFont(-20, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
    CFont* pOldFont = dc.SelectObject(&font);
    EXPECT_TRUE(pOldFont != NULL);
    EXPECT_EQ(font.m_hObject, ::GetCurrentObject(dcPrinter.m_hDC, OBJ_FONT));
    LOGFONTA lf;
    ::GetObjectA(::GetCurrentObject(dcScreen.m_hDC, OBJ_FONT), sizeof(lf), &lf);
    EXPECT_EQ(-20, lf.lfHeight);
    dc.SelectObject(pOldFont);
    dc.ReleaseOutputDC();
    dc.ReleaseAttribDC();
    dcScreen.SelectObject(pOld);
}

// The captions under the side tabs' buttons show whole at the font present: the pixels
// of the painted pane hold every letter of each line, compared with the same line drawn
// unclipped at the same font.

#include "doc_program.h"
#include "test_support.h"
#include "app/ChildFrm.h"
#include "app/TabView.h"

#include <algorithm>
#include <climits>
#include <string>

namespace
{

const COLORREF kPaneColour = RGB(192, 250, 250);

bool IsInk(COLORREF clr)
{
    return GetRValue(clr) + GetGValue(clr) + GetBValue(clr) < 450;
}

struct Ink
{
    int nPixels = 0;
    int nLeft = INT_MAX;
    int nRight = INT_MIN;
};

// Ink in rows nTop..nBottom-1 of a DC, over columns 0..nWidth-1.
Ink InkIn(HDC hDC, int nWidth, int nTop, int nBottom)
{
    Ink ink;
    for (int y = nTop; y < nBottom; y++)
    {
        for (int x = 0; x < nWidth; x++)
        {
            if (IsInk(::GetPixel(hDC, x, y)))
            {
                ++ink.nPixels;
                ink.nLeft = std::min(ink.nLeft, x);
                ink.nRight = std::max(ink.nRight, x);
            }
        }
    }
    return ink;
}

// One line of text drawn unclipped in the pane's caption font on the pane's colour; the
// ink of its rows from nSkip on (the rows the pane shows below the button's picture).
Ink FullLine(HDC hDCScreen, const char* pszText, int nSkip, int& nLineHeight)
{
    HDC hDC = ::CreateCompatibleDC(hDCScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hDCScreen, 200, 40);
    HGDIOBJ hOldBitmap = ::SelectObject(hDC, hBitmap);
    HFONT hFont = ::CreateFontA(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial");
    HGDIOBJ hOldFont = ::SelectObject(hDC, hFont);
    RECT rc = { 0, 0, 200, 40 };
    HBRUSH hBrush = ::CreateSolidBrush(kPaneColour);
    ::FillRect(hDC, &rc, hBrush);
    ::DeleteObject(hBrush);
    ::SetBkMode(hDC, TRANSPARENT);
    ::TextOutA(hDC, 20, 0, pszText, (int)strlen(pszText));
    TEXTMETRICA tm;
    ::GetTextMetricsA(hDC, &tm);
    nLineHeight = tm.tmHeight;
    const Ink ink = InkIn(hDC, 200, nSkip, tm.tmHeight);
    ::SelectObject(hDC, hOldFont);
    ::DeleteObject(hFont);
    ::SelectObject(hDC, hOldBitmap);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hDC);
    return ink;
}

} // namespace

class SideTabCaptions : public ::testing::Test
{
protected:
    CMessageBoxRecorder m_boxes;
    CDocProgram m_program;
};

TEST_F(SideTabCaptions, ButtonCaptionsShowEveryLetter)
{
    ASSERT_TRUE(m_program.NewPlainDoc() != NULL);
    CVarnelView* pView = m_program.ActiveView();
    ASSERT_TRUE(pView != NULL);
    pView->GetParentFrame()->ShowWindow(SW_SHOWMAXIMIZED);
    PumpPendingMessages();
    CTabView* pTabs = DYNAMIC_DOWNCAST(CTabView, GetSiblingPane(pView, 1, 0));
    ASSERT_TRUE(pTabs != NULL);
    CRect rectPane;
    pTabs->GetClientRect(&rectPane);
    ASSERT_GE(rectPane.Height(), 360);
    pTabs->Invalidate(TRUE);
    pTabs->UpdateWindow();

    struct Caption
    {
        const char* pszLine;
        RECT rcButton;
    };
    const Caption captions[] = {
        { "Database", pTabs->m_rcDatabase },
        { "View/Edit", pTabs->m_rcViewData },
    };
    HDC hDC = ::GetDC(pTabs->m_hWnd);
    for (const Caption& c : captions)
    {
        SCOPED_TRACE(c.pszLine);
        // the caption's first line starts 2 pixels above the button's bottom edge
        const int nTop = c.rcButton.bottom - 2;
        int nLineHeight = 0;
        const Ink full = FullLine(hDC, c.pszLine, 2, nLineHeight);
        ASSERT_GT(full.nPixels, 20);
        const Ink shown = InkIn(hDC, rectPane.Width(), nTop + 2, nTop + nLineHeight);
        EXPECT_GE(shown.nPixels, full.nPixels * 97 / 100);
        EXPECT_GE(shown.nRight - shown.nLeft, full.nRight - full.nLeft);
        // centred under the button
        const int nCentre = (c.rcButton.left + c.rcButton.right) / 2;
        EXPECT_NEAR(nCentre, (shown.nLeft + shown.nRight) / 2, 3);
    }
    ::ReleaseDC(pTabs->m_hWnd, hDC);
}

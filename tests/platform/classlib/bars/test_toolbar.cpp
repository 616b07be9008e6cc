// The toolbar: buttons and images from TOOLBAR resources (damaged ones are
// refused), the shapes of the docked and floating bar, button styles, texts
// and tool tips.

#include "bartest.h"

TEST_F(BarsTest, ToolbarReadsItsResource)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    ASSERT_EQ(5, bar.GetCount());
    const UINT ids[] = { ID_TEST_ALPHA, ID_TEST_BETA, ID_SEPARATOR, ID_TEST_GAMMA, ID_TEST_DELTA };
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(ids[i], bar.GetItemID(i)) << i;
    EXPECT_EQ(TBBS_SEPARATOR, bar.GetButtonStyle(2) & 0xFF);
    EXPECT_EQ(3, bar.CommandToIndex(ID_TEST_GAMMA));
    EXPECT_EQ(-1, bar.CommandToIndex(12345));

    // the sizes come from the resource: 16 x 15 images in 23 x 22 buttons
    EXPECT_EQ(CSize(16, 15), bar.m_sizeImage);
    EXPECT_EQ(CSize(23, 22), bar.m_sizeButton);
    // one image per button, from the strip; the images follow the buttons
    ASSERT_TRUE(bar.m_hImageList != NULL);
    EXPECT_EQ(4, ImageList_GetImageCount(bar.m_hImageList));
    EXPECT_EQ((LRESULT)bar.m_hImageList, bar.SendMessage(TB_GETIMAGELIST));
    UINT nID, nStyle;
    int iImage;
    bar.GetButtonInfo(3, nID, nStyle, iImage);
    EXPECT_EQ(2, iImage);

    // the third image is blue inside, the grey around it is transparent
    HDC hDC = ::CreateCompatibleDC(NULL);
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hbm = ::CreateCompatibleBitmap(hScreen, 16, 15);
    ::ReleaseDC(NULL, hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hbm);
    RECT rc = { 0, 0, 16, 15 };
    ::FillRect(hDC, &rc, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    ImageList_Draw(bar.m_hImageList, 2, hDC, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(RGB(0, 0, 255), ::GetPixel(hDC, 8, 7));
    EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(hDC, 0, 0));
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hbm);
    ::DeleteDC(hDC);

    // the buttons lie in a row
    CRect rect0, rect1, rect3;
    bar.GetItemRect(0, rect0);
    bar.GetItemRect(1, rect1);
    bar.GetItemRect(3, rect3);
    EXPECT_EQ(23, rect0.Width());
    EXPECT_EQ(rect0.top, rect1.top);
    EXPECT_EQ(rect0.right, rect1.left);
    EXPECT_GT(rect3.left, rect1.right);     // after the separator
    CRect rectEmpty(1, 2, 3, 4);
    bar.GetItemRect(17, rectEmpty);
    EXPECT_TRUE(rectEmpty.IsRectEmpty());
}

TEST_F(BarsTest, ToolbarReadsTheWordLayoutAndRefusesDamagedResources)
{
    CToolBar& bar = m_pFrame->m_wndToolBar2;
    ASSERT_EQ(5, bar.GetCount());
    EXPECT_FALSE(bar.LoadToolBar(IDR_BADBAR));
    EXPECT_EQ(5, bar.GetCount());       // unchanged
    EXPECT_FALSE(bar.LoadToolBar(999));

    // the WORD layout; its bitmap is missing, the buttons are there
    EXPECT_FALSE(bar.LoadToolBar(IDR_WORDBAR));
    ASSERT_EQ(2, bar.GetCount());
    EXPECT_EQ((UINT)ID_TEST_GAMMA, bar.GetItemID(0));
    EXPECT_EQ((UINT)ID_TEST_ALPHA, bar.GetItemID(1));
}

TEST_F(BarsTest, ToolbarShapesFollowTheSide)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    CSize sizeHorz = bar.CalcFixedLayout(FALSE, TRUE);
    CSize sizeVert = bar.CalcFixedLayout(FALSE, FALSE);
    // a row: four buttons and a separator; a column: the same heights stacked
    EXPECT_GE(sizeHorz.cx, 4 * 23);
    EXPECT_LT(sizeHorz.cy, 2 * 22);
    EXPECT_GE(sizeVert.cy, 4 * 22);
    EXPECT_LT(sizeVert.cx, 2 * 23);
    EXPECT_EQ(32767, bar.CalcFixedLayout(TRUE, TRUE).cx);
    EXPECT_EQ(sizeHorz, bar.CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK));
    EXPECT_EQ(sizeVert, bar.CalcDynamicLayout(-1, LM_VERTDOCK));

    // floating: rows of the width asked for, remembered with LM_COMMIT
    CSize sizeNarrow = bar.CalcDynamicLayout(2 * 23 + 10, LM_HORZ | LM_COMMIT);
    EXPECT_LE(sizeNarrow.cx, 2 * 23 + 10);
    EXPECT_GE(sizeNarrow.cy, 2 * 22);
    EXPECT_EQ((UINT)sizeNarrow.cx, bar.m_nMRUWidth);
    EXPECT_EQ(sizeNarrow, bar.CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH));
    // the control wraps its rows there: the third button starts a new row
    CRect rect0, rect3;
    bar.GetItemRect(0, rect0);
    bar.GetItemRect(3, rect3);
    EXPECT_GT(rect3.top, rect0.top);
    // a height asked for gives as many rows as fit
    CSize sizeByHeight = bar.CalcDynamicLayout(22 + 4, LM_HORZ | LM_LENGTHY);
    EXPECT_EQ(sizeHorz.cy, sizeByHeight.cy);
}

TEST_F(BarsTest, ButtonStylesAndTexts)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    bar.SetButtonStyle(0, TBBS_CHECKBOX | TBBS_CHECKED);
    EXPECT_TRUE(bar.SendMessage(TB_ISBUTTONCHECKED, ID_TEST_ALPHA));
    EXPECT_EQ((UINT)(TBBS_CHECKBOX | TBBS_CHECKED), bar.GetButtonStyle(0));
    bar.SetButtonStyle(0, TBBS_BUTTON | TBBS_DISABLED);
    EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONENABLED, ID_TEST_ALPHA));
    EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONCHECKED, ID_TEST_ALPHA));
    bar.SetButtonStyle(0, TBBS_BUTTON);
    EXPECT_TRUE(bar.SendMessage(TB_ISBUTTONENABLED, ID_TEST_ALPHA));

    bar.SetButtonInfo(4, ID_TEST_BETA, TBBS_BUTTON, 0);
    EXPECT_EQ((UINT)ID_TEST_BETA, bar.GetItemID(4));
    EXPECT_TRUE(bar.SetButtonText(1, "Beta"));
    EXPECT_STREQ("Beta", bar.GetButtonText(1));
    EXPECT_STREQ("", bar.GetButtonText(0));

    BOOL bThrown = FALSE;
    try
    {
        bar.GetButtonStyle(40);
    }
    catch (CInvalidArgException* e)
    {
        bThrown = TRUE;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

TEST_F(BarsTest, ToolTipTextIsTheSecondLineOfTheCommandString)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    CRect rect;
    bar.GetItemRect(1, rect);
    TOOLINFO ti;
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = sizeof(ti);
    EXPECT_EQ((INT_PTR)ID_TEST_BETA, bar.OnToolHitTest(rect.CenterPoint(), &ti));
    EXPECT_EQ(bar.m_hWnd, ti.hwnd);
    EXPECT_EQ(rect, CRect(ti.rect));
    ASSERT_TRUE(ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK);
    EXPECT_STREQ("Beta", ti.lpszText);
    free(ti.lpszText);
    // the separator and the empty end of the bar have no tool
    bar.GetItemRect(2, rect);
    EXPECT_EQ(-1, bar.OnToolHitTest(rect.CenterPoint(), NULL));
    EXPECT_EQ(-1, bar.OnToolHitTest(CPoint(600, 5), NULL));
}

TEST_F(BarsTest, EmptyToolbarIsOneButtonLarge)
{
    CToolBar& bar = m_pFrame->m_wndToolBar2;
    ASSERT_TRUE(bar.SetButtons(NULL, 0));
    EXPECT_EQ(0, bar.GetCount());
    CSize size = bar.CalcFixedLayout(FALSE, TRUE);
    EXPECT_GE(size.cx, 23);
    EXPECT_GE(size.cy, 22);
    // NULL ids make separators to fill in later
    ASSERT_TRUE(bar.SetButtons(NULL, 3));
    EXPECT_EQ(3, bar.GetCount());
    EXPECT_EQ(TBBS_SEPARATOR, bar.GetButtonStyle(1) & 0xFF);
    bar.SetButtonInfo(1, ID_TEST_ALPHA, TBBS_BUTTON, 0);
    EXPECT_EQ(TBBS_BUTTON, bar.GetButtonStyle(1) & 0xFF);
    EXPECT_EQ((UINT)ID_TEST_ALPHA, bar.GetItemID(1));
}

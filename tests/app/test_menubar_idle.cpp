// The main window's menu bar while no publication is open: after the last one closes it
// shows the main window's own menu again, as buttons drawn in the bar's row.

#include "doc_program.h"
#include "test_support.h"
#include "app/MainFrm.h"
#include "uiframework/bars/ExtBarButton.h"
#include "uiframework/bars/ExtMenuControlBar.h"

namespace
{

// Dark pixels (text) in the menu bar's client area, right of its gripper, as it paints now.
int TextPixels(CExtMenuControlBar& bar)
{
    bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    CRect rect;
    bar.GetClientRect(&rect);
    CClientDC dc(&bar);
    int nDark = 0;
    for (int y = rect.top; y < rect.bottom; y++)
    {
        for (int x = rect.left + 12; x < rect.right && x < 300; x++)
        {
            const COLORREF clr = dc.GetPixel(x, y);
            if (GetRValue(clr) + GetGValue(clr) + GetBValue(clr) < 200)
                nDark++;
        }
    }
    return nDark;
}

// The texts of the bar's buttons that open menus.
CString MenuButtons(CExtMenuControlBar& bar)
{
    CString str;
    for (int i = 0; i < bar.GetButtonCount(); i++)
    {
        CExtBarButton* pButton = bar.GetButton(i);
        if (pButton == NULL || pButton->GetMenu() == NULL)
            continue;
        CString strText;
        pButton->GetDisplayText(strText);
        strText.Remove('&');
        if (!str.IsEmpty())
            str += " ";
        str += strText;
    }
    return str;
}

} // namespace

TEST(MenuBarIdle, TheMainMenuIsDrawnAgainWhenTheLastPublicationCloses)
{
    CMessageBoxRecorder boxes;
    CDocProgram program;
    CMainFrame* pFrame = DYNAMIC_DOWNCAST(CMainFrame, program.m_pApp->m_pMainWnd);
    ASSERT_TRUE(pFrame != NULL);
    pFrame->SetWindowPos(NULL, 0, 0, 1024, 768, SWP_NOZORDER | SWP_NOACTIVATE);
    CExtMenuControlBar& bar = pFrame->m_wndMenuBar;
    PumpPendingMessages();
    const CString strMain = MenuButtons(bar);
    EXPECT_STREQ("File View Help", strMain);
    const int nMainPixels = TextPixels(bar);
    EXPECT_GT(nMainPixels, 30);

    for (int nRound = 0; nRound < 2; nRound++)
    {
        ASSERT_TRUE(program.NewPlainDoc() != NULL);
        PumpPendingMessages();
        EXPECT_STREQ("File Edit View Insert Arrange Tools Window Help", MenuButtons(bar));

        program.CloseAll();
        PumpPendingMessages();
        ASSERT_EQ(0, program.CountDocs());
        EXPECT_STREQ(strMain, MenuButtons(bar)) << "round " << nRound;
        ASSERT_TRUE(bar.GetCurrentMenu() != NULL);
        EXPECT_EQ(3, bar.GetCurrentMenu()->GetMenuItemCount());
        EXPECT_TRUE(bar.IsWindowVisible());
        CRect rectBar;
        bar.GetWindowRect(&rectBar);
        EXPECT_GE(rectBar.Height(), 18);
        // every button has its place in the row
        for (int i = 0; i < bar.GetButtonCount(); i++)
        {
            CExtBarButton* pButton = bar.GetButton(i);
            if (pButton->GetMenu() != NULL)
                EXPECT_FALSE(pButton->GetDisplayRect().IsRectEmpty()) << "button " << i;
        }
        // the row shows the menu's names
        EXPECT_GT(TextPixels(bar), nMainPixels / 2) << "round " << nRound;
    }
}

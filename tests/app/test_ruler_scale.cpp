// The rulers as they are painted in their windows: at the design view's zoom from the first
// paint (also while the tip of the day is open over a new publication), and at 25 % with
// every number clear of the next.

#include "doc_program.h"
#include "test_support.h"
#include "app/ChildFrm.h"
#include "app/RulerView.h"
#include "model/OptionsKeys.h"

#include <algorithm>
#include <vector>

namespace
{

CChildFrame* FirstChildFrame(CWinApp* pApp)
{
    CMDIFrameWnd* pMain = DYNAMIC_DOWNCAST(CMDIFrameWnd, pApp->m_pMainWnd);
    if (pMain == NULL)
        return NULL;
    HWND hChild = ::GetWindow(pMain->m_hWndMDIClient, GW_CHILD);
    return hChild != NULL ? DYNAMIC_DOWNCAST(CChildFrame, CWnd::FromHandlePermanent(hChild)) : NULL;
}

// The ruler window repainted now; whether its pixel is not the background's.
class CPaintedRuler
{
public:
    explicit CPaintedRuler(CRulerView* pRuler) : m_pRuler(pRuler), m_dc(pRuler)
    {
        pRuler->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        m_clrBack = m_dc.GetPixel(1, 1);
        CRect rect;
        pRuler->GetClientRect(&rect);
        m_size = rect.Size();
    }
    bool IsInk(int x, int y) { return m_dc.GetPixel(x, y) != m_clrBack; }

    CRulerView* m_pRuler;
    CClientDC m_dc;
    COLORREF m_clrBack;
    CSize m_size;
};

// A long (numbered) tick crosses the top of the horizontal ruler, a short one does not.
bool HasLongTickAt(CPaintedRuler& ruler, int x, bool bHorizontal)
{
    return bHorizontal ? ruler.IsInk(x, 3) && ruler.IsInk(x, 17) : ruler.IsInk(3, x) && ruler.IsInk(17, x);
}

} // namespace

TEST(RulerScale, RulersShowTheViewsZoomWhileTheTipOfANewPublicationIsOpen)
{
    CMessageBoxRecorder boxes;
    CProgramFiles files;
    CDocProgram program;
    files.WriteTips("First tip");
    COptionsKey key(program.OptionsKeyPath());
    key.SetDword(OPTION_SHOW_TIP, 1);
    program.m_pApp->m_pMainWnd->SetWindowPos(NULL, 0, 0, 1024, 768, SWP_NOZORDER | SWP_NOACTIVATE);

    bool bChecked = false;
    CDialogScript script;
    CWizardAnswer answer;
    ScriptWizard(script, answer);
    script.OnDialog(IDD_TIPOFTHEDAY)
        .Do([&](CWnd*) {
            CChildFrame* pFrame = FirstChildFrame(program.m_pApp);
            ASSERT_TRUE(pFrame != NULL);
            CVarnelView* pView = DYNAMIC_DOWNCAST(CVarnelView, pFrame->m_wndSplitter.GetPane(1, 2));
            CRulerView* pHorizontal = DYNAMIC_DOWNCAST(CRulerView, pFrame->m_wndSplitter.GetPane(0, 2));
            CRulerView* pVertical = DYNAMIC_DOWNCAST(CRulerView, pFrame->m_wndSplitter.GetPane(1, 1));
            ASSERT_TRUE(pView != NULL && pHorizontal != NULL && pVertical != NULL);
            ASSERT_TRUE(pFrame->IsWindowVisible());
            const float fZoom = pView->GetZoom();
            ASSERT_NE(0.5f, fZoom);
            // the number 100 stands where the view shows 100 units, not at half of it
            const int nAt100 = (int)(100 * fZoom + 0.5f);
            const int nAtHalf = (int)(50 * fZoom + 0.5f);
            {
                CPaintedRuler ruler(pHorizontal);
                EXPECT_TRUE(HasLongTickAt(ruler, nAt100, true));
                EXPECT_FALSE(HasLongTickAt(ruler, nAtHalf, true));
            }
            {
                CPaintedRuler ruler(pVertical);
                EXPECT_TRUE(HasLongTickAt(ruler, nAt100, false));
                EXPECT_FALSE(HasLongTickAt(ruler, nAtHalf, false));
            }
            bChecked = true;
        })
        .OK();
    program.Command(ID_FILE_NEW);
    EXPECT_TRUE(bChecked);
    EXPECT_EQ(0, script.GetPendingCount());
}

TEST(RulerScale, NumbersAtAQuarterStandApartAndTheTicksStay)
{
    CMessageBoxRecorder boxes;
    CDocProgram program;
    program.m_pApp->m_pMainWnd->SetWindowPos(NULL, 0, 0, 1024, 768, SWP_NOZORDER | SWP_NOACTIVATE);
    CVarnelDoc* pDoc = program.NewPlainDoc();
    ASSERT_TRUE(pDoc != NULL);
    pDoc->m_nDesignWidth = 4000;      // from 1000 on the numbers have four digits
    pDoc->m_nDesignHeight = 4000;
    CChildFrame* pFrame = FirstChildFrame(program.m_pApp);
    ASSERT_TRUE(pFrame != NULL);
    pFrame->ShowWindow(SW_SHOWMAXIMIZED);
    program.Command(ID_VIEW_ZOOM_25);
    CVarnelView* pView = program.ActiveView();
    ASSERT_FLOAT_EQ(0.25f, pView->GetZoom());
    PumpPendingMessages();

    // the widest number the ruler can draw, in the ruler's font
    CFont font;
    font.CreateFont(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial");
    int nWidest = 0;
    {
        CClientDC dc(NULL);
        CFont* pOld = dc.SelectObject(&font);
        for (const char* psz : { "1000", "1100", "2000", "8888" })
            nWidest = std::max(nWidest, (int)dc.GetTextExtent(psz).cx);
        dc.SelectObject(pOld);
    }
    ASSERT_GT(nWidest, 20);     // wider than the 25 pixels between two numbered ticks leave

    CRulerView* pRuler = DYNAMIC_DOWNCAST(CRulerView, pFrame->m_wndSplitter.GetPane(0, 2));
    ASSERT_TRUE(pRuler != NULL);
    CPaintedRuler ruler(pRuler);
    ASSERT_GT(ruler.m_size.cx, 300);

    // every 20 units a tick, every 100 units one from the top: 5 and 25 pixels apart
    std::vector<bool> tick(ruler.m_size.cx, false);
    for (int x = 0; x < ruler.m_size.cx; x += 5)
    {
        EXPECT_TRUE(ruler.IsInk(x, 18)) << x;
        tick[x] = true;
        if (x % 25 == 0)
            EXPECT_TRUE(HasLongTickAt(ruler, x, true)) << x;
    }

    // the numbers between the ticks: ink in the number band, tick columns left out; ink
    // with less than four clear columns between is one number (or numbers run together)
    std::vector<std::pair<int, int>> runs;
    int nBlank = 4;
    for (int x = 0; x < ruler.m_size.cx - 1; x++)
    {
        if (tick[x])
            continue;
        bool bInk = false;
        for (int y = 0; y < 12 && !bInk; y++)
            bInk = ruler.IsInk(x, y);
        if (bInk)
        {
            if (nBlank >= 4)
                runs.push_back(std::make_pair(x, x));
            runs.back().second = x;
            nBlank = 0;
        }
        else
        {
            nBlank++;
        }
    }
    ASSERT_GE(runs.size(), 4u);
    for (const auto& run : runs)
        EXPECT_LE(run.second - run.first + 1, nWidest + 1) << "numbers run together at " << run.first;
    // a number after every other numbered tick at most
    EXPECT_LE(runs[1].first - runs[0].first, 55);
}

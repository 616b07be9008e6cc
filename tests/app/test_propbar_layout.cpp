// Layout at the fonts the program gets: every page of the Properties bar for every kind
// of element lies whole in the docked bar, and the Options sheet opens centred on the
// main window with its texts whole. Elements are selected and tabs picked by clicks
// posted to the real windows.

#include "doc_program.h"
#include "test_support.h"
#include "app/MainFrm.h"
#include "app/PropSheet.h"
#include "app/PropertiesBar.h"
#include "model/Elements.h"
#include "resources/options_resource.h"

#include <memory>
#include <string>
#include <vector>

namespace
{

CString ClassOf(HWND hWnd)
{
    char szClass[64] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    return szClass;
}

std::string Corners(const CRect& rect)
{
    CString str;
    str.Format("(%ld,%ld)-(%ld,%ld)", rect.left, rect.top, rect.right, rect.bottom);
    return (LPCSTR)str;
}

std::string Describe(HWND hWnd)
{
    CString str;
    str.Format("%s %d \"%s\"", (LPCSTR)ClassOf(hWnd), ::GetDlgCtrlID(hWnd), (LPCSTR)WindowTextOf(hWnd));
    return (LPCSTR)str;
}

// The text of a static control shows whole in it.
void ExpectTextWhole(HWND hWnd, const std::string& strWhat)
{
    CRect rect;
    ::GetClientRect(hWnd, &rect);
    const CSize size = NeededStaticTextSize(hWnd);
    EXPECT_LE(size.cx, rect.Width()) << strWhat << ": " << Describe(hWnd) << " is cut at the side";
    EXPECT_LE(size.cy, rect.Height()) << strWhat << ": " << Describe(hWnd) << " is cut at the bottom";
}

class PropertiesBarLayout : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pDoc = m_program.NewShownDoc();
        m_pView = m_program.ActiveView();
        ASSERT_TRUE(m_pDoc != NULL && m_pView != NULL);
        m_pBar = ((CMainFrame*)AfxGetMainWnd())->m_pPropertiesBar;
        ASSERT_TRUE(m_pBar != NULL && m_pBar->m_pSheet != NULL);
    }

    // A click on the view at a document position (zoom 1, not scrolled).
    void ClickDesign(CPoint point) { PostClick(m_pView->m_hWnd, point); }

    // A click on tab nTab of the bar's sheet.
    void ClickTab(int nTab)
    {
        CTabCtrl* pTab = m_pBar->m_pSheet->GetTabControl();
        ASSERT_TRUE(pTab != NULL);
        CRect rect;
        ASSERT_TRUE(pTab->GetItemRect(nTab, &rect));
        PostClick(pTab->m_hWnd, rect.CenterPoint());
    }

    // Every visible control of the page in front lies inside the bar's client area and
    // inside the page and the sheet that hold it, and every static text has the height
    // its wrapped text needs.
    void ExpectPageWhole(const std::string& strWhat)
    {
        CPropertyPage* pPage = m_pBar->m_pSheet->GetActivePage();
        ASSERT_TRUE(pPage != NULL && pPage->m_hWnd != NULL) << strWhat;
        CRect rectClient;
        m_pBar->GetClientRect(&rectClient);
        m_pBar->ClientToScreen(&rectClient);
        for (CWnd* pHolder : { (CWnd*)pPage, (CWnd*)m_pBar->m_pSheet })
        {
            CRect rectHolder;
            pHolder->GetClientRect(&rectHolder);
            pHolder->ClientToScreen(&rectHolder);
            rectClient.IntersectRect(&rectClient, &rectHolder);
        }
        int nControls = 0;
        for (HWND hChild = ::GetWindow(pPage->m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        {
            if (!::IsWindowVisible(hChild))
                continue;
            ++nControls;
            CRect rect;
            ::GetWindowRect(hChild, &rect);
            CRect rectInside;
            rectInside.IntersectRect(&rect, &rectClient);
            EXPECT_TRUE(rect == rectInside) << strWhat << ": " << Describe(hChild) << " at " << Corners(rect)
                                            << " lies outside what shows of the bar, " << Corners(rectClient);
            const LONG nStyle = ::GetWindowLongA(hChild, GWL_STYLE);
            if (ClassOf(hChild).CompareNoCase("Static") == 0 && (nStyle & SS_TYPEMASK) <= SS_RIGHT)
                ExpectTextWhole(hChild, strWhat);
        }
        EXPECT_GT(nControls, 0) << strWhat;
    }

    CMessageBoxRecorder m_boxes;
    CDocProgram m_program;
    CVarnelDoc* m_pDoc = NULL;
    CVarnelView* m_pView = NULL;
    CPropertiesBar* m_pBar = NULL;
};

} // namespace

TEST_F(PropertiesBarLayout, EveryPageOfEveryKindLiesWholeInTheDockedBar)
{
    EXPECT_EQ(AFX_IDW_DOCKBAR_RIGHT, (int)m_pBar->m_pDockBar->GetDlgCtrlID());
    EXPECT_GE(m_pBar->m_sizeDockedV.cx, 235);

    struct KindCase
    {
        const char* pszName;
        CElement* pElement;         // NULL: a click on the empty page
        int nPages;
    };
    std::vector<KindCase> cases = {
        { "nothing", NULL, 1 },
        { "line", new CLine(CPoint(20, 10), CPoint(120, 30)), 1 },
        { "rectangle", new CRectangle(CPoint(20, 40), CPoint(120, 90)), 2 },
        { "star", new CShapeStar(CPoint(150, 20), CPoint(225, 95)), 2 },
        { "text", new CText(CPoint(20, 120), CPoint(180, 170)), 2 },
        { "database text", new CDbText(CPoint(200, 120), CPoint(350, 150)), 2 },
    };
    for (KindCase& c : cases)
    {
        if (c.pElement != NULL)
        {
            c.pElement->m_nSide = 1;
            m_pDoc->m_listElements.AddTail(c.pElement);
        }
    }
    for (const KindCase& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        CPoint point(380, 190);
        if (c.pElement != NULL)
        {
            const CRect rect = c.pElement->GetRect();
            point = CPoint(rect.left + 4, (rect.top + rect.bottom) / 2);
        }
        ClickDesign(point);
        ASSERT_EQ(c.pElement != NULL ? 1 : 0, (int)m_pDoc->m_listSelection.GetCount());
        ASSERT_EQ(c.nPages, m_pBar->m_pSheet->GetPageCount());
        for (int nPage = c.nPages - 1; nPage >= 0; nPage--)
        {
            ClickTab(nPage);
            ASSERT_EQ(nPage, m_pBar->m_pSheet->GetActiveIndex());
            ExpectPageWhole(std::string(c.pszName) + " page " + std::to_string(nPage));
        }
    }
}

TEST_F(PropertiesBarLayout, OptionsSheetOpensCentredOnTheMainWindowWithItsTextsWhole)
{
    CWnd* pMain = AfxGetMainWnd();
    pMain->SetWindowPos(NULL, 60, 40, 900, 700, SWP_NOZORDER | SWP_NOACTIVATE);
    PumpPendingMessages();
    CRect rectMain;
    pMain->GetWindowRect(&rectMain);

    CRect rectSheet;
    int nNotes = 0;
    CDialogScript script;
    script.OnSheet("Options").Do([&](CWnd* pSheet) {
        pSheet->GetWindowRect(&rectSheet);
        CWnd* pPage = ((CPropertySheet*)pSheet)->GetActivePage();
        ASSERT_TRUE(pPage != NULL);
        for (HWND hChild = ::GetWindow(pPage->m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        {
            if (ClassOf(hChild).CompareNoCase("Static") != 0)
                continue;
            ExpectTextWhole(hChild, "Options");
            if (WindowTextOf(hChild).Find("background image") >= 0)
                ++nNotes;
        }
    }).Cancel();

    // a double click on the empty desk, as the system delivers it
    const LPARAM lp = MAKELPARAM(390, 195);
    const HWND hView = m_pView->m_hWnd;
    ::PostMessageA(hView, WM_LBUTTONDOWN, MK_LBUTTON, lp);
    ::PostMessageA(hView, WM_LBUTTONUP, 0, lp);
    ::PostMessageA(hView, WM_LBUTTONDBLCLK, MK_LBUTTON, lp);
    ::PostMessageA(hView, WM_LBUTTONUP, 0, lp);
    PumpPendingMessages();

    ASSERT_EQ(1, script.GetRecordCount()) << (LPCSTR)script.GetLog();
    EXPECT_EQ(0, script.GetFailureCount()) << (LPCSTR)script.GetLog();
    EXPECT_EQ(1, nNotes);
    ASSERT_FALSE(rectSheet.IsRectEmpty());
    EXPECT_NEAR(rectMain.CenterPoint().x, rectSheet.CenterPoint().x, 2);
    EXPECT_NEAR(rectMain.CenterPoint().y, rectSheet.CenterPoint().y, 2);
}

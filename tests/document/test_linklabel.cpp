// The link label's click: what a link, a mail link and a notify-only link open, through
// the replaceable shell call; the about box's link; flashing text.

#include "doc_program.h"
#include "app/AboutDlg.h"
#include "app/LinkLabel.h"

namespace
{

// The shell calls of a test, instead of opening anything.
struct COpened
{
    CString strVerb;
    CString strTarget;
};
std::vector<COpened> g_opened;

void RecordOpen(LPCSTR pszVerb, LPCSTR pszTarget)
{
    g_opened.push_back({ pszVerb != NULL ? pszVerb : "(default)", pszTarget });
}

class COpenRecorder
{
public:
    COpenRecorder()
    {
        g_opened.clear();
        m_pfnOld = CLinkLabel::SetOpenProc(RecordOpen);
    }
    ~COpenRecorder() { CLinkLabel::SetOpenProc(m_pfnOld); }

private:
    PFN_LINK_OPEN m_pfnOld;
};

// A parent window that counts the link notifications of its children.
class CLinkParent : public CWnd
{
public:
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (((const NMHDR*)lParam)->code == LINKLABEL_NOTIFY_CLICK)
            ++m_nClicks;
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
    int m_nClicks = 0;
};

class LinkLabelClick : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP | WS_VISIBLE,
                                      CRect(0, 0, 300, 100), NULL, 0));
        CStatic control;
        ASSERT_TRUE(control.Create("info@quorvane.example", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 30),
                                   &m_parent, 1040));
        ASSERT_TRUE(m_label.SubclassWindow(control.Detach()));
    }
    void TearDown() override
    {
        m_label.DestroyWindow();
        m_parent.DestroyWindow();
    }
    void Click() { m_label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); }

    COpenRecorder m_recorder;
    CLinkParent m_parent;
    CLinkLabel m_label;
};

} // namespace

TEST_F(LinkLabelClick, ALinkWithoutTargetOpensItsTextAndWithATargetTheTarget)
{
    Click();
    EXPECT_TRUE(g_opened.empty());          // no link yet

    m_label.SetLink(TRUE, FALSE);
    Click();
    ASSERT_EQ(1u, g_opened.size());
    EXPECT_STREQ("open", g_opened[0].strVerb);
    EXPECT_STREQ("info@quorvane.example", g_opened[0].strTarget);

    m_label.SetLinkTarget("http://www.quorvane.example/help");
    m_label.SetText("Help pages");
    Click();
    ASSERT_EQ(2u, g_opened.size());
    EXPECT_STREQ("http://www.quorvane.example/help", g_opened[1].strTarget);
    EXPECT_STREQ("http://www.quorvane.example/help", m_label.GetTargetToOpen());
    EXPECT_EQ(0, m_parent.m_nClicks);
}

TEST_F(LinkLabelClick, AMailLinkOpensMailtoWithItsText)
{
    m_label.SetLinkTarget("http://ignored.example/");     // a mail link uses the text
    m_label.SetMailLink(TRUE, FALSE);
    EXPECT_TRUE(m_label.GetStyle() & SS_NOTIFY);
    Click();
    ASSERT_EQ(1u, g_opened.size());
    EXPECT_STREQ("(default)", g_opened[0].strVerb);
    EXPECT_STREQ("mailto:info@quorvane.example", g_opened[0].strTarget);

    m_label.SetMailLink(FALSE, FALSE);
    EXPECT_STREQ("", m_label.GetTargetToOpen());
    Click();
    EXPECT_EQ(1u, g_opened.size());
}

TEST_F(LinkLabelClick, FlashingTextWithoutABrushAlternatesBetweenItsColourAndBlack)
{
    LOGFONT lf = {};
    lf.lfHeight = -20;
    lf.lfWeight = FW_BOLD;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    m_label.SetText("WWWW").SetFontFull(lf).SetTextColor(RGB(255, 0, 0));
    m_label.FlashText(TRUE);
    EXPECT_EQ(1, m_label.m_nFlashMode);
    EXPECT_TRUE(m_label.m_bTimerSet);

    auto countColours = [&](int& nRed, int& nBlack) {
        m_label.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        nRed = nBlack = 0;
        CClientDC dc(&m_label);
        for (int y = 0; y < 30; y++)
        {
            for (int x = 0; x < 120; x++)
            {
                const COLORREF clr = dc.GetPixel(x, y);
                nRed += clr == RGB(255, 0, 0);
                nBlack += clr == RGB(0, 0, 0);
            }
        }
    };
    int nRed = 0, nBlack = 0;
    countColours(nRed, nBlack);             // first phase: black
    EXPECT_EQ(0, nRed);
    EXPECT_GT(nBlack, 20);
    m_label.SendMessage(WM_TIMER, 1, 0);    // next phase: the text colour
    countColours(nRed, nBlack);
    EXPECT_GT(nRed, 20);
    EXPECT_EQ(0, nBlack);
    m_label.SendMessage(WM_TIMER, 1, 0);
    countColours(nRed, nBlack);
    EXPECT_EQ(0, nRed);
    m_label.FlashText(FALSE);
    EXPECT_EQ(0, m_label.m_nFlashMode);
}

TEST(AboutBoxLink, OpensTheMakersPageThroughTheShellCall)
{
    CMessageBoxRecorder boxes;
    COpenRecorder recorder;
    CDocProgram program;
    HCURSOR hOverLink = NULL;
    CDialogScript script;
    script.OnDialog(IDD_ABOUTBOX)
        .Do([&](CWnd* pDlg) {
            CWnd* pLink = pDlg->GetDlgItem(IDC_ABOUT_LINK);
            ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
            pLink->SendMessage(WM_SETCURSOR, (WPARAM)pLink->m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            hOverLink = ::GetCursor();
            pLink->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            // the other labels are no links
            pDlg->GetDlgItem(IDC_ABOUT_COMPANY)->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        })
        .OK();
    program.Command(ID_APP_ABOUT);
    EXPECT_EQ(1, script.GetRecordCount());
    ASSERT_EQ(1u, g_opened.size());
    EXPECT_STREQ("open", g_opened[0].strVerb);
    EXPECT_STREQ(MAKER_WEB_PAGE, g_opened[0].strTarget);
    // the cursor over the link is the program's link cursor
    EXPECT_TRUE(hOverLink != NULL);
    EXPECT_EQ(program.m_pApp->LoadCursor(IDC_LINK_HAND), hOverLink);
}

// Control wrappers: owner-drawn combo boxes with reflected notifications, the
// standard controls and the common controls.

#include "dlgtest.h"
#include "test_support.h"

namespace
{

// An owner-drawn combo box that draws and handles its own selection change.
class CDrawCombo : public CComboBox
{
public:
    std::vector<int> m_drawn;       // item ids drawn
    std::vector<DWORD_PTR> m_data;  // their item data
    int m_nSelChanges = 0;

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        m_drawn.push_back((int)lpDIS->itemID);
        m_data.push_back(lpDIS->itemData);
    }

protected:
    afx_msg void OnSelChange() { ++m_nSelChanges; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDrawCombo, CComboBox)
    ON_CONTROL_REFLECT(CBN_SELCHANGE, OnSelChange)
END_MESSAGE_MAP()

class COwnerDrawDlg : public CDialog
{
public:
    COwnerDrawDlg() : CDialog(IDD_OWNERDRAW) {}
    CDrawCombo m_combo;
    int m_nParentSelChanges = 0;

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_DRAW_COMBO, m_combo);
    }
    virtual BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        const char* const apszColours[] = { "Black", "Red", "Green" };
        for (int i = 0; i < 3; ++i)
            m_combo.SetItemData(m_combo.AddString(apszColours[i]), (DWORD_PTR)(0x100 + i));
        m_combo.SetCurSel(1);
        return TRUE;
    }
    afx_msg void OnParentSelChange() { ++m_nParentSelChanges; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerDrawDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_DRAW_COMBO, OnParentSelChange)
END_MESSAGE_MAP()

} // namespace

TEST(Controls, OwnerDrawnComboDrawsItsItemsAndHandlesItsOwnSelection)
{
    COwnerDrawDlg dlg;
    CDialogScript script;
    script.OnDialog(IDD_OWNERDRAW)
        .Do([&](CWnd*)
        {
            dlg.m_combo.m_drawn.clear();
            dlg.m_combo.m_data.clear();
            dlg.m_combo.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
            ASSERT_FALSE(dlg.m_combo.m_drawn.empty());
            EXPECT_EQ(1, dlg.m_combo.m_drawn.back());
            EXPECT_EQ((DWORD_PTR)0x101, dlg.m_combo.m_data.back());
        })
        .Select(IDC_DRAW_COMBO, 2)
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    // the reflected handler took the notification; the dialog did not see it
    EXPECT_EQ(1, dlg.m_combo.m_nSelChanges);
    EXPECT_EQ(0, dlg.m_nParentSelChanges);
}

TEST(Controls, StandardControlsWrapTheirMessages)
{
    CHostWnd host;

    CButton button;
    ASSERT_TRUE(button.Create("Check", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE, CRect(5, 5, 100, 25), &host, 10));
    EXPECT_EQ((UINT)BS_AUTO3STATE, button.GetButtonStyle() & BS_TYPEMASK);
    button.SetCheck(BST_INDETERMINATE);
    EXPECT_EQ(BST_INDETERMINATE, button.GetCheck());

    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, CRect(5, 30, 200, 90), &host, 11));
    edit.SetWindowText("first\r\nsecond line");
    EXPECT_EQ(2, edit.GetLineCount());
    char szLine[32];
    int nCopied = edit.GetLine(1, szLine, sizeof(szLine) - 1);
    szLine[nCopied] = '\0';
    EXPECT_STREQ("second line", szLine);
    edit.SetSel(0, 5);
    int nStart = -1, nEnd = -1;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(0, nStart);
    EXPECT_EQ(5, nEnd);
    edit.ReplaceSel("1st");
    EXPECT_EQ(0, edit.LineIndex(0));
    EXPECT_EQ(3, edit.LineLength(0));
    edit.SetLimitText(40);
    EXPECT_EQ(40u, edit.GetLimitText());

    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_SORT | LBS_HASSTRINGS, CRect(5, 95, 150, 200), &host, 12));
    list.AddString("pear");
    list.AddString("apple");
    list.AddString("plum");
    EXPECT_EQ(3, list.GetCount());
    CString strItem;
    list.GetText(0, strItem);
    EXPECT_STREQ("apple", strItem);
    EXPECT_EQ(2, list.FindStringExact(-1, "plum"));
    EXPECT_EQ(1, list.FindString(-1, "pe"));
    EXPECT_EQ(2, list.SelectString(-1, "pl"));
    EXPECT_EQ(2, list.GetCurSel());
    list.SetItemDataPtr(1, &list);
    EXPECT_EQ(&list, list.GetItemDataPtr(1));
    EXPECT_EQ(2, list.DeleteString(0));

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(160, 95, 300, 200), &host, 13));
    combo.AddString("one");
    combo.InsertString(0, "zero");
    EXPECT_EQ(2, combo.GetCount());
    combo.GetLBText(1, strItem);
    EXPECT_STREQ("one", strItem);
    EXPECT_EQ(3, combo.GetLBTextLen(1));
    EXPECT_EQ(1, combo.SelectString(-1, "o"));
    combo.SetItemData(0, 77);
    EXPECT_EQ((DWORD_PTR)77, combo.GetItemData(0));
    combo.LimitText(4);
    HWND hComboEdit = ::GetWindow(combo.m_hWnd, GW_CHILD);
    ASSERT_TRUE(hComboEdit != NULL);
    EXPECT_EQ(4, (int)::SendMessageA(hComboEdit, EM_GETLIMITTEXT, 0, 0));

    // a temporary window object may be used as its control class
    CComboBox* pCombo = (CComboBox*)CWnd::FromHandle(::GetDlgItem(host.m_hWnd, 13));
    EXPECT_EQ(&combo, pCombo);
    CWnd* pTemp = CWnd::FromHandle(::GetDlgItem(host.m_hWnd, 12));
    EXPECT_EQ(&list, pTemp);
}

TEST(Controls, CommonControlsKeepTheirRanges)
{
    CHostWnd host;

    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT, CRect(5, 5, 25, 30), &host, 20));
    spin.SetRange(1, 30);
    int nLower = 0, nUpper = 0;
    spin.GetRange(nLower, nUpper);
    EXPECT_EQ(1, nLower);
    EXPECT_EQ(30, nUpper);
    spin.SetPos32(50);
    EXPECT_EQ(30, spin.GetPos32());
    spin.SetRange32(-100, 100);
    spin.SetPos32(-60);
    EXPECT_EQ(-60, spin.GetPos32());

    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE, CRect(30, 5, 200, 30), &host, 21));
    slider.SetRange(10, 20);
    slider.SetPos(25);
    EXPECT_EQ(20, slider.GetPos());
    slider.SetPageSize(3);
    EXPECT_EQ(3, slider.GetPageSize());

    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE | PBS_SMOOTH, CRect(5, 40, 200, 55), &host, 22));
    progress.SetRange32(0, 10);
    progress.SetStep(2);
    EXPECT_EQ(0, progress.StepIt());    // the old position
    progress.StepIt();
    EXPECT_EQ(4, progress.GetPos());
    progress.OffsetPos(3);
    EXPECT_EQ(7, progress.GetPos());
    int nLow = -1, nHigh = -1;
    progress.GetRange(nLow, nHigh);
    EXPECT_EQ(0, nLow);
    EXPECT_EQ(10, nHigh);

    CTabCtrl tab;
    ASSERT_TRUE(tab.Create(WS_CHILD | WS_VISIBLE, CRect(5, 60, 300, 200), &host, 23));
    EXPECT_EQ(0, tab.InsertItem(0, "Front"));
    EXPECT_EQ(1, tab.InsertItem(1, "Back"));
    EXPECT_EQ(2, tab.GetItemCount());
    tab.SetCurSel(1);
    EXPECT_EQ(1, tab.GetCurSel());
    CRect rect(0, 0, 295, 140);
    tab.AdjustRect(FALSE, &rect);
    EXPECT_LT(rect.Height(), 140);
    EXPECT_TRUE(tab.DeleteItem(0));
    EXPECT_EQ(1, tab.GetItemCount());
}

TEST(Controls, ToolTipKeepsToolsAndTexts)
{
    CHostWnd host;
    CButton button;
    ASSERT_TRUE(button.Create("Tool", WS_CHILD | WS_VISIBLE, CRect(5, 5, 100, 25), &host, 30));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&host));
    EXPECT_TRUE(tip.AddTool(&button, "Press here"));
    CRect rect(0, 0, 50, 50);
    EXPECT_TRUE(tip.AddTool(&host, "Corner", &rect, 7));
    EXPECT_EQ(2, tip.GetToolCount());
    CString strText;
    tip.GetText(strText, &button);
    EXPECT_STREQ("Press here", strText);
    tip.UpdateTipText("Pressed", &button);
    tip.GetText(strText, &button);
    EXPECT_STREQ("Pressed", strText);
    tip.GetText(strText, &host, 7);
    EXPECT_STREQ("Corner", strText);
    tip.DelTool(&button);
    EXPECT_EQ(1, tip.GetToolCount());
    tip.SetMaxTipWidth(120);
    EXPECT_EQ(120, tip.GetMaxTipWidth());
}

TEST(Controls, ImageListAddsDrawsAndOwnsItsHandle)
{
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24, 2, 2));
    HIMAGELIST hImages = images.GetSafeHandle();
    EXPECT_EQ(&images, CImageList::FromHandlePermanent(hImages));
    EXPECT_EQ(&images, CImageList::FromHandle(hImages));

    // a strip of two images: red, then blue
    CDC screen;
    screen.Attach(::GetDC(NULL));
    CDC memDC;
    ASSERT_TRUE(memDC.CreateCompatibleDC(&screen));
    CBitmap strip;
    ASSERT_TRUE(strip.CreateCompatibleBitmap(&screen, 32, 16));
    CBitmap* pOld = memDC.SelectObject(&strip);
    memDC.FillSolidRect(0, 0, 16, 16, RGB(255, 0, 0));
    memDC.FillSolidRect(16, 0, 16, 16, RGB(0, 0, 255));
    memDC.SelectObject(pOld);
    EXPECT_EQ(0, images.Add(&strip, (CBitmap*)NULL));
    EXPECT_EQ(2, images.GetImageCount());

    CBitmap target;
    ASSERT_TRUE(target.CreateCompatibleBitmap(&screen, 16, 16));
    pOld = memDC.SelectObject(&target);
    memDC.FillSolidRect(0, 0, 16, 16, RGB(255, 255, 255));
    EXPECT_TRUE(images.Draw(&memDC, 1, CPoint(0, 0), ILD_NORMAL));
    EXPECT_EQ(RGB(0, 0, 255), memDC.GetPixel(8, 8));
    memDC.SelectObject(pOld);
    ::ReleaseDC(NULL, screen.Detach());

    EXPECT_TRUE(images.Remove(0));
    EXPECT_EQ(1, images.GetImageCount());
    HIMAGELIST hDetached = images.Detach();
    EXPECT_EQ(hImages, hDetached);
    EXPECT_EQ(NULL, images.GetSafeHandle());
    EXPECT_EQ(NULL, CImageList::FromHandlePermanent(hDetached));
    CImageList other;
    EXPECT_TRUE(other.Attach(hDetached));
    EXPECT_EQ(1, other.GetImageCount());
}

// The design view's options: the values under the Options key read by every new view and
// written back, the defaults a first start leaves (with the tip of the day), values out
// of range, and the Options sheet driven through the dialog script.

#include "doc_program.h"
#include "app/ColorPickers.h"
#include "app/OptionsSheet.h"
#include "model/Elements.h"
#include "model/OptionsKeys.h"

namespace
{

void ViewCommand(CVarnelView* pView, UINT nID)
{
    ASSERT_TRUE(pView->OnCmdMsg(nID, CN_COMMAND, NULL, NULL)) << nID;
}

class ViewOptions : public ::testing::Test
{
protected:
    ViewOptions() : m_key(m_program.OptionsKeyPath()) {}

    // A new publication (wizard cancelled) and its view, made after the registry is set.
    void NewView()
    {
        m_pDoc = m_program.NewPlainDoc();
        m_pView = m_program.ActiveView();
        ASSERT_TRUE(m_pDoc != NULL);
        ASSERT_TRUE(m_pView != NULL);
        m_pDoc->SetModifiedFlag(FALSE);
    }

    DWORD Value(LPCSTR pszName)
    {
        DWORD dwValue = 0xDEADBEEF;
        EXPECT_TRUE(m_key.GetDword(pszName, dwValue)) << pszName;
        return dwValue;
    }

    CRectangle* AddRect(int nSide)
    {
        CRectangle* pRect = new CRectangle(CPoint(10, 10), CPoint(50, 40));
        pRect->m_nSide = nSide;
        m_pDoc->m_listElements.AddTail(pRect);
        return pRect;
    }

    CMessageBoxRecorder m_boxes;
    CProgramFiles m_files;
    CDocProgram m_program;
    COptionsKey m_key;
    CVarnelDoc* m_pDoc = NULL;
    CVarnelView* m_pView = NULL;
};

bool IsEnabled(CWnd* pDlg, int nID)
{
    CWnd* pPage = ((CPropertySheet*)pDlg)->GetActivePage();
    return pPage != NULL && ::IsWindowEnabled(::GetDlgItem(pPage->m_hWnd, nID));
}

int CheckOf(CWnd* pDlg, int nID)
{
    return ((CPropertySheet*)pDlg)->GetActivePage()->IsDlgButtonChecked(nID);
}

int SelectionOf(CWnd* pDlg, int nID)
{
    return (int)((CPropertySheet*)pDlg)->GetActivePage()->SendDlgItemMessage(nID, CB_GETCURSEL, 0, 0);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Registry

TEST_F(ViewOptions, AFirstStartWritesTheDefaultsAndShowsTheTipOfTheDay)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, m_program.OptionsKeyPath());
    m_files.WriteTips("First start::Second");
    CDialogScript script;
    CWizardAnswer answer;
    ScriptWizard(script, answer);
    script.OnDialog(IDD_TIPOFTHEDAY).OK();
    m_program.Command(ID_FILE_NEW);
    EXPECT_EQ(2, script.GetRecordCount());
    EXPECT_EQ(0, script.GetPendingCount());

    COptionsKey key(m_program.OptionsKeyPath());
    const struct
    {
        LPCSTR pszName;
        DWORD dwValue;
    } defaults[] = {
        { "DisplayGrid", 0 }, { "GridColor", 0x00E6E6E6 }, { "GridType", 1 }, { "GridSize", 40 },
        { OPTION_SHOW_TIP, 1 }, { OPTION_SHADOW_COLOR, 0x00C0C0C0 }, { OPTION_SHADOW_LENGTH, 6 },
    };
    for (const auto& d : defaults)
    {
        DWORD dwValue = 0xDEADBEEF;
        EXPECT_TRUE(key.GetDword(d.pszName, dwValue)) << d.pszName;
        EXPECT_EQ(d.dwValue, dwValue) << d.pszName;
    }
    CVarnelView* pView = m_program.ActiveView();
    ASSERT_TRUE(pView != NULL);
    EXPECT_EQ(0xFFE6E6E6u, pView->m_clrGrid);
    EXPECT_EQ(40, pView->m_nGridSize);
}

TEST_F(ViewOptions, StoredValuesAreReadByEveryNewView)
{
    m_key.SetDword("DisplayGrid", 5);
    m_key.SetDword("GridColor", 0x000000FF);        // red as a GDI colour
    m_key.SetDword("GridType", 0);
    m_key.SetDword("GridSize", 12);
    m_key.SetDword(OPTION_SHOW_TIP, 0);
    m_key.SetDword(OPTION_SHADOW_COLOR, 0x00FF0000); // blue
    m_key.SetDword(OPTION_SHADOW_LENGTH, 9);
    NewView();
    EXPECT_TRUE(m_pView->m_bDisplayGrid);
    EXPECT_EQ(0xFFFF0000u, m_pView->m_clrGrid);
    EXPECT_EQ(0, m_pView->m_nGridType);
    EXPECT_EQ(12, m_pView->m_nGridSize);
    EXPECT_FALSE(m_pView->m_bShowTip);
    EXPECT_EQ(0xFF0000FFu, m_pView->m_clrShadow);
    EXPECT_EQ(9, m_pView->m_nShadowLength);
    EXPECT_FALSE(m_pView->m_bInnerBorder);
    // a complete set is not rewritten: DisplayGrid keeps its stored form
    EXPECT_EQ(5u, Value("DisplayGrid"));
}

TEST_F(ViewOptions, ValuesOutOfRangeAreRefusedAndMissingOnesCompleted)
{
    NewView();
    const struct
    {
        DWORD dwStored;
        int nExpected;
    } sizes[] = { { 1, 40 }, { 0, 40 }, { 2, 2 }, { 1000, 1000 }, { 1001, 40 }, { 0xFFFFFFFF, 40 } };
    for (const auto& c : sizes)
    {
        m_pView->m_nGridSize = 40;
        m_key.SetDword("GridSize", c.dwStored);
        m_pView->LoadOptions();
        EXPECT_EQ(c.nExpected, m_pView->m_nGridSize) << c.dwStored;
    }
    m_pView->m_nGridType = 1;
    m_key.SetDword("GridType", 2);
    m_pView->LoadOptions();
    EXPECT_EQ(1, m_pView->m_nGridType);

    // a key with a few values: they are kept, the others written with the defaults
    ::RegDeleteTreeA(HKEY_CURRENT_USER, m_program.OptionsKeyPath());
    COptionsKey key(m_program.OptionsKeyPath());
    key.SetDword(OPTION_SHADOW_COLOR, 0x000000FF);
    key.SetDword("GridSize", 60);
    key.SetDword(OPTION_SHOW_TIP, 0);
    NewView();
    EXPECT_EQ(60, m_pView->m_nGridSize);
    EXPECT_EQ(0xFFFF0000u, m_pView->m_clrShadow);
    DWORD dwValue = 0;
    ASSERT_TRUE(key.GetDword("GridSize", dwValue));
    EXPECT_EQ(60u, dwValue);
    ASSERT_TRUE(key.GetDword(OPTION_SHADOW_COLOR, dwValue));
    EXPECT_EQ(0x000000FFu, dwValue);
    ASSERT_TRUE(key.GetDword(OPTION_SHOW_TIP, dwValue));
    EXPECT_EQ(0u, dwValue);
    ASSERT_TRUE(key.GetDword("GridColor", dwValue));
    EXPECT_EQ(0x00E6E6E6u, dwValue);
    ASSERT_TRUE(key.GetDword("DisplayGrid", dwValue));
    EXPECT_EQ(0u, dwValue);
}

TEST_F(ViewOptions, SaveWritesTheSevenValuesAsGdiColours)
{
    NewView();
    m_pView->m_bDisplayGrid = TRUE;
    m_pView->m_clrGrid = 0xFF112233;
    m_pView->m_nGridType = 0;
    m_pView->m_nGridSize = 100;
    m_pView->m_bShowTip = FALSE;
    m_pView->m_clrShadow = 0xFFAABBCC;
    m_pView->m_nShadowLength = 3;
    m_pView->SaveOptions();
    EXPECT_EQ(1u, Value("DisplayGrid"));
    EXPECT_EQ(0x00332211u, Value("GridColor"));
    EXPECT_EQ(0u, Value("GridType"));
    EXPECT_EQ(100u, Value("GridSize"));
    EXPECT_EQ(0u, Value(OPTION_SHOW_TIP));
    EXPECT_EQ(0x00CCBBAAu, Value(OPTION_SHADOW_COLOR));
    EXPECT_EQ(3u, Value(OPTION_SHADOW_LENGTH));
}

/////////////////////////////////////////////////////////////////////////////
// The Options sheet

TEST_F(ViewOptions, TheSheetShowsTheOptionsAndOkAppliesThemEverywhere)
{
    m_key.SetDword(OPTION_SHOW_TIP, 0);
    NewView();
    CRectangle* pFront = AddRect(1);
    CRectangle* pBack = AddRect(2);
    m_pDoc->m_clrBackgroundFront = 0xFFFFFFFF;
    m_pDoc->m_clrBackgroundBack = 0xFF00FF00;
    m_pDoc->m_nShadowLength = 6;
    m_pView->m_nGridSize = 20;

    CDialogScript script;
    script.OnSheet("Options")
        .Do([&](CWnd* pDlg) {
            // the stored tip setting, the document's shadow length index and the grid state
            EXPECT_EQ(BST_UNCHECKED, CheckOf(pDlg, IDC_OPTIONS_SHOW_TIP));
            EXPECT_EQ(2, SelectionOf(pDlg, IDC_OPTIONS_SHADOW_LENGTH));
            EXPECT_EQ(1, SelectionOf(pDlg, IDC_OPTIONS_GRID_SIZE));     // "20"
            EXPECT_EQ(0, SelectionOf(pDlg, IDC_OPTIONS_BACKGROUND));    // white
            EXPECT_EQ(BST_CHECKED, CheckOf(pDlg, IDC_OPTIONS_SOLID_GRID));
            EXPECT_FALSE(IsEnabled(pDlg, IDC_OPTIONS_GRID_COLOR));
            EXPECT_FALSE(IsEnabled(pDlg, IDC_OPTIONS_GRID_SIZE));
            EXPECT_EQ(11, (int)((CPropertySheet*)pDlg)->GetActivePage()->SendDlgItemMessage(
                              IDC_OPTIONS_GRID_COLOR, CB_GETCOUNT, 0, 0));
        })
        .Select(IDC_OPTIONS_SHADOW_LENGTH, 3)       // Large
        .Select(IDC_OPTIONS_SHADOW_COLOR, 3)        // Red
        .Check(IDC_OPTIONS_DISPLAY_GRID)
        .Do([&](CWnd* pDlg) {
            EXPECT_TRUE(IsEnabled(pDlg, IDC_OPTIONS_GRID_COLOR));
            EXPECT_TRUE(IsEnabled(pDlg, IDC_OPTIONS_GRID_SIZE));
        })
        .Select(IDC_OPTIONS_GRID_COLOR, 8)          // Blue
        .Select(IDC_OPTIONS_GRID_SIZE, 3)           // 60
        .Click(IDC_OPTIONS_DOTTED_GRID)
        .Check(IDC_OPTIONS_INNER_BORDER)
        .Check(IDC_OPTIONS_SHOW_TIP)
        .Select(IDC_OPTIONS_BACKGROUND, 5)          // Yellow
        .OK();
    ViewCommand(m_pView, ID_TOOLS_OPTIONS);
    ASSERT_EQ(1, script.GetRecordCount());
    EXPECT_STREQ("Options", script.GetRecord(0).m_strCaption);
    EXPECT_EQ(IDOK, script.GetRecord(0).m_nResult);

    EXPECT_EQ(9, m_pDoc->m_nShadowLength);
    EXPECT_EQ(0xFFFF0000u, m_pDoc->m_clrShadow);
    EXPECT_EQ(9, pFront->m_nShadowLength);
    EXPECT_EQ(9, pBack->m_nShadowLength);
    EXPECT_EQ(0xFFFF0000u, pBack->m_clrShadow);
    EXPECT_EQ(0xFFFFFF00u, m_pDoc->m_clrBackgroundFront);
    EXPECT_EQ(0xFF00FF00u, m_pDoc->m_clrBackgroundBack);
    EXPECT_TRUE(m_pDoc->IsModified());
    EXPECT_TRUE(m_pView->m_bDisplayGrid);
    EXPECT_EQ(0xFF0000FFu, m_pView->m_clrGrid);
    EXPECT_EQ(60, m_pView->m_nGridSize);
    EXPECT_EQ(0, m_pView->m_nGridType);
    EXPECT_TRUE(m_pView->m_bInnerBorder);
    EXPECT_TRUE(m_pView->m_bShowTip);
    EXPECT_EQ(9, m_pView->m_nShadowLength);
    EXPECT_EQ(0xFFFF0000u, m_pView->m_clrShadow);

    EXPECT_EQ(1u, Value("DisplayGrid"));
    EXPECT_EQ(0x00FF0000u, Value("GridColor"));
    EXPECT_EQ(0u, Value("GridType"));
    EXPECT_EQ(60u, Value("GridSize"));
    EXPECT_EQ(1u, Value(OPTION_SHOW_TIP));
    EXPECT_EQ(0x000000FFu, Value(OPTION_SHADOW_COLOR));
    EXPECT_EQ(9u, Value(OPTION_SHADOW_LENGTH));
}

TEST_F(ViewOptions, TheBackSideKeepsAnUnlistedColourAndTheFrontIsUntouched)
{
    NewView();
    m_pDoc->m_nPublicationType = 3;
    m_pDoc->m_nSide = 2;
    m_pDoc->m_clrBackgroundFront = 0xFFFFFFFF;
    m_pDoc->m_clrBackgroundBack = 0xFF123456;
    m_pDoc->m_clrShadow = 0x80C0C0C0;       // not opaque: lands on "More..."
    DWORD clrMore = 0;
    CDialogScript script;
    script.OnSheet("Options")
        .Do([&](CWnd* pDlg) {
            EXPECT_EQ(CColorPickerCombo::MORE_ITEM, SelectionOf(pDlg, IDC_OPTIONS_BACKGROUND));
            EXPECT_EQ(CColorPickerCombo::MORE_ITEM, SelectionOf(pDlg, IDC_OPTIONS_SHADOW_COLOR));
            clrMore = (DWORD)((CPropertySheet*)pDlg)->GetActivePage()->SendDlgItemMessage(
                IDC_OPTIONS_BACKGROUND, CB_GETITEMDATA, CColorPickerCombo::MORE_ITEM, 0);
        })
        .OK();
    ViewCommand(m_pView, ID_TOOLS_OPTIONS);
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), clrMore);
    EXPECT_EQ(0xFF123456u, m_pDoc->m_clrBackgroundBack);
    EXPECT_EQ(0xFFFFFFFFu, m_pDoc->m_clrBackgroundFront);
    EXPECT_EQ(0xFFC0C0C0u, m_pDoc->m_clrShadow);
}

TEST_F(ViewOptions, GridSizesOutsideTheRangeAreRefusedAndCancelKeepsEverything)
{
    NewView();
    CDialogScript script;
    script.OnSheet("Options")
        .Check(IDC_OPTIONS_DISPLAY_GRID)
        .SetText(IDC_OPTIONS_GRID_SIZE, "1")
        .OK()
        .Do([&](CWnd* pDlg) { EXPECT_TRUE(pDlg->IsWindowVisible()); })
        .SetText(IDC_OPTIONS_GRID_SIZE, "abc")
        .OK()
        .SetText(IDC_OPTIONS_GRID_SIZE, "1000")
        .OK();
    ViewCommand(m_pView, ID_TOOLS_OPTIONS);
    EXPECT_EQ(IDOK, script.GetRecord(0).m_nResult);
    EXPECT_EQ(1000, m_pView->m_nGridSize);
    EXPECT_EQ(2, m_boxes.GetCount());
    EXPECT_EQ(1000u, Value("GridSize"));

    m_pDoc->SetModifiedFlag(FALSE);
    CDialogScript cancelled;
    cancelled.OnSheet("Options").Select(IDC_OPTIONS_SHADOW_LENGTH, 0).SetText(IDC_OPTIONS_GRID_SIZE, "12").Cancel();
    ViewCommand(m_pView, ID_TOOLS_OPTIONS);
    EXPECT_EQ(1000, m_pView->m_nGridSize);
    EXPECT_EQ(6, m_pDoc->m_nShadowLength);
    EXPECT_FALSE(m_pDoc->IsModified());
}

TEST_F(ViewOptions, TheColourChooserDrawsEachItemAsASwatchBesideItsName)
{
    NewView();
    COLORREF crRed = 0, crDisabled = 0, crBackground = 0;
    CDialogScript script;
    script.OnSheet("Options")
        .Do([&](CWnd* pDlg) {
            CWnd* pPage = ((CPropertySheet*)pDlg)->GetActivePage();
            CColorPickerCombo* pCombo = DYNAMIC_DOWNCAST(
                CColorPickerCombo, CWnd::FromHandlePermanent(::GetDlgItem(pPage->m_hWnd, IDC_OPTIONS_SHADOW_COLOR)));
            ASSERT_TRUE(pCombo != NULL);
            CClientDC dcScreen(NULL);
            CDC dc;
            dc.CreateCompatibleDC(&dcScreen);
            CBitmap bitmap;
            bitmap.CreateCompatibleBitmap(&dcScreen, 90, 16);
            CBitmap* pOld = dc.SelectObject(&bitmap);
            DRAWITEMSTRUCT dis;
            memset(&dis, 0, sizeof(dis));
            dis.CtlType = ODT_COMBOBOX;
            dis.hwndItem = pCombo->m_hWnd;
            dis.hDC = dc.m_hDC;
            dis.rcItem = CRect(0, 0, 90, 16);
            dis.itemID = 3;                         // Red
            pCombo->DrawItem(&dis);
            crRed = dc.GetPixel(15, 8);
            crBackground = dc.GetPixel(80, 1);
            dis.itemState = ODS_DISABLED;
            pCombo->DrawItem(&dis);
            crDisabled = dc.GetPixel(15, 8);
            dc.SelectObject(pOld);
        })
        .Cancel();
    ViewCommand(m_pView, ID_TOOLS_OPTIONS);
    EXPECT_EQ(RGB(255, 0, 0), crRed);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), crBackground);
    EXPECT_EQ(::GetSysColor(COLOR_INACTIVECAPTIONTEXT), crDisabled);
}

TEST_F(ViewOptions, MoreRunsTheColourDialogAndTakesItsColour)
{
    NewView();
    m_pDoc->m_clrBackgroundFront = 0xFFFFFFFF;
    CDialogScript script;
    script.OnSheet("Options").Select(IDC_OPTIONS_BACKGROUND, CColorPickerCombo::MORE_ITEM).OK();
    script.OnColorDialog(RGB(10, 20, 30));
    ViewCommand(m_pView, ID_TOOLS_OPTIONS);
    ASSERT_EQ(2, script.GetRecordCount());
    EXPECT_EQ(CDialogScript::kindColor, script.GetRecord(1).m_nKind);
    EXPECT_EQ(0u, script.GetRecord(1).m_clrInitial);
    EXPECT_EQ(0xFF0A141Eu, m_pDoc->m_clrBackgroundFront);
}

TEST_F(ViewOptions, ADoubleClickOnAnEmptySpotOpensTheSheet)
{
    NewView();
    m_pView->GetParentFrame()->ShowWindow(SW_SHOWMAXIMIZED);
    m_pView->ScrollToPosition(CPoint(0, 0));
    CDialogScript script;
    script.OnSheet("Options").Cancel();
    m_pView->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    if (::GetCapture() == m_pView->m_hWnd)
        ::ReleaseCapture();
    ASSERT_EQ(1, script.GetRecordCount());
    EXPECT_EQ(CDialogScript::kindSheet, script.GetRecord(0).m_nKind);
    EXPECT_EQ(IDCANCEL, script.GetRecord(0).m_nResult);
}

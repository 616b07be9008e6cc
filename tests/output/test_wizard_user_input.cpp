// The wizard as a user drives it from the keyboard: the unit of the own size reached by
// Tab and chosen by its letters, sides that are more than a number (refused with the size
// message instead of read in part), and the preview of a blank design.

#include "wizard_test_support.h"
#include "test_support.h"
#include "key_input.h"
#include "output/NewCardWizard.h"

namespace
{

// The focus window belongs to the control nID (an edit inside a combo box counts).
bool FocusIsOn(CWnd* pDlg, int nID)
{
    HWND hControl = pDlg->GetDlgItem(nID)->GetSafeHwnd();
    HWND hFocus = ::GetFocus();
    return hFocus != NULL && (hFocus == hControl || ::IsChild(hControl, hFocus));
}

// Space on the blank-design box, as the keyboard gives it.
void PressBlankDesign(CWnd* pDlg)
{
    pDlg->GetDlgItem(IDC_WIZ_BLANK)->SetFocus();
    ASSERT_TRUE(SendKeyStrokes({}, {VK_SPACE}));
}

// The colour of a point of the design in the preview painted in the real group box.
COLORREF PreviewPixel(CWnd* pDlg, const CNewCardWizard& dlg, double x, double y)
{
    pDlg->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    CClientDC dc(pDlg->GetDlgItem(IDC_WIZ_PREVIEW));
    return dc.GetPixel(10 + (int)(dlg.m_nPreviewWidth * x), 10 + (int)(dlg.m_nPreviewHeight * y));
}

} // namespace

// Tab from the height reaches the unit; typing "cm" there chooses centimetres, and
// Enter makes the size in them.
TEST_F(WizardSizeTest, UnitTypedAfterTabIsTheUnitOfTheOwnSize)
{
    CNewCardWizard dlg;
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD)
        .Check(IDC_WIZ_KEEPSIZE, BST_UNCHECKED)
        .Select(IDC_WIZ_SIZES, 0)
        .SetText(IDC_WIZ_WIDTH, "10")
        .SetText(IDC_WIZ_HEIGHT, "15")
        .Do([](CWnd*) { ASSERT_TRUE(SendKeyStrokes({}, {VK_TAB})); })
        .Do([](CWnd* pDlg)
        {
            EXPECT_TRUE(FocusIsOn(pDlg, IDC_WIZ_UNITS));
            ASSERT_TRUE(SendKeyStrokes({}, {'C', 'M'}));
        })
        .Do([](CWnd* pDlg)
        {
            EXPECT_STREQ("Cm", ControlTextOf(pDlg, IDC_WIZ_UNITS));
            ASSERT_TRUE(SendKeyStrokes({}, {VK_RETURN}));
        });
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(394, dlg.m_nWidth);
    EXPECT_EQ(591, dlg.m_nHeight);
    EXPECT_EQ(0, m_boxes.GetCount());
}

TEST_F(WizardSizeTest, OwnSizeTakesOnlyAWholeNumber)
{
    const struct
    {
        const char* pszText;
        int nWidth;         // 0: refused
    } sides[] = { { "4.5", 450 }, { " 4.5  ", 450 }, { "4,5", 0 }, { "4.5 in", 0 }, { "4.5.1", 0 }, { "12abc", 0 } };
    for (const auto& side : sides)
    {
        CMessageBoxRecorder boxes;
        CNewCardWizard dlg;
        CDialogScript script;
        CDialogScript::CSteps& steps = script.OnDialog(IDD_WIZ_NEWCARD)
            .Check(IDC_WIZ_KEEPSIZE, BST_UNCHECKED)
            .Select(IDC_WIZ_SIZES, 0)
            .SetText(IDC_WIZ_WIDTH, side.pszText)
            .SetText(IDC_WIZ_HEIGHT, "2")
            .OK();
        if (side.nWidth == 0)
            steps.Cancel();
        const INT_PTR nResult = dlg.DoModal();
        EXPECT_EQ(side.nWidth != 0 ? IDOK : IDCANCEL, nResult) << side.pszText;
        EXPECT_EQ(side.nWidth != 0 ? 0 : 1, boxes.GetCount()) << side.pszText;
        if (side.nWidth != 0)
        {
            EXPECT_EQ(side.nWidth, dlg.m_nWidth);
        }
        else if (boxes.GetCount() == 1)
        {
            EXPECT_STREQ("Please enter a width between 0.05 inch(0.13 cm) and 25 inch(63.5 cm).",
                         boxes.GetCall(0).m_strText);
        }
    }
}

// A blank design is made without the template and the picture: its preview is the empty
// page, and the template on its picture comes back with the box cleared.
TEST_F(WizardSizeTest, ABlankDesignPreviewsTheEmptyPage)
{
    m_files.AddTemplate("WizTest C.bdgt", 338, 233);
    CNewCardWizard dlg;
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_EQ(RGB(0, 192, 0), PreviewPixel(pDlg, dlg, 0.2, 0.23));    // the template's rectangle
            EXPECT_EQ(RGB(255, 0, 0), PreviewPixel(pDlg, dlg, 0.7, 0.7));     // the picture
            PressBlankDesign(pDlg);
        })
        .Do([&](CWnd* pDlg)
        {
            ASSERT_TRUE(IsChecked(pDlg, IDC_WIZ_BLANK));
            EXPECT_EQ(RGB(255, 255, 255), PreviewPixel(pDlg, dlg, 0.2, 0.23));
            EXPECT_EQ(RGB(255, 255, 255), PreviewPixel(pDlg, dlg, 0.7, 0.7));
            EXPECT_EQ(RGB(0, 0, 0), PreviewPixel(pDlg, dlg, 0.0, 0.5));       // framed
        })
        .Select(IDC_WIZ_CATEGORY, CNewCardWizard::catBadge)
        .Select(IDC_WIZ_CATEGORY, CNewCardWizard::catLabel)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_EQ(RGB(255, 255, 255), PreviewPixel(pDlg, dlg, 0.2, 0.23));
            PressBlankDesign(pDlg);
        })
        .Do([&](CWnd* pDlg)
        {
            ASSERT_FALSE(IsChecked(pDlg, IDC_WIZ_BLANK));
            EXPECT_EQ(RGB(0, 192, 0), PreviewPixel(pDlg, dlg, 0.2, 0.23));
            EXPECT_EQ(RGB(255, 0, 0), PreviewPixel(pDlg, dlg, 0.7, 0.7));
            EXPECT_STREQ("Keep Template's Size: 3.0 X 1.5 Inch", ControlTextOf(pDlg, IDC_WIZ_KEEPSIZE));
        })
        .Cancel();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(0, m_boxes.GetCount());
}

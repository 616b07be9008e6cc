// The wizard's own size as a user types it: the unit reached by Tab and chosen by its
// letters, and sides that are more than a number, refused with the size message instead
// of read in part.

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

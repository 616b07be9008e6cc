// Tests of the wizard driven from the keyboard, as a user types into it.

#include "wizard_test_support.h"
#include "test_support.h"
#include "key_input.h"
#include "output/NewCardWizard.h"

namespace
{

class WizardKeyboardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_files.AddTemplate("WizTest A.lbft", 300, 150);
        m_files.AddPicture("WizTest red.bmp", 0xFFFF0000);
    }

    CWizardFiles m_files;
    CMessageBoxRecorder m_boxes;
};

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
TEST_F(WizardKeyboardTest, UnitTypedAfterTabIsTheUnitOfTheOwnSize)
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

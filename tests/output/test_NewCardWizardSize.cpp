// Tests of the wizard's size choice, its check boxes and its messages.

#include "wizard_test_support.h"
#include "test_support.h"
#include "output/NewCardWizard.h"
#include "output/SizeCatalogue.h"

#include <stdlib.h>

namespace
{

const char kBadSize[] = "Please enter a width between 0.05 inch(0.13 cm) and 25 inch(63.5 cm).";
const char kNoTemplates[] =
    "No supported templates are found in this folder or this folder does not exists:";
const char kNoBackgrounds[] =
    "No supported background pictures are found in this folder or this folder does not exists:";

} // namespace

// ---------------------------------------------------------------------------
// Template size

// With "-None-" there is no template size to keep: the box is cleared, disabled and
// names no size, and the size chosen in Step 3 is made; a template chosen again gets
// the box back as it was.
TEST_F(WizardSizeTest, NoTemplateMakesTheSizeChosenInStepThree)
{
    m_files.AddTemplate("WizTest E.post", 600, 400);
    CSizeCatalogue catalogue;
    catalogue.FillPostcards();
    const int nPostcard = CSizeCatalogue::FIRST_POSTCARD + 1;
    CNewCardWizard dlg;
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD)
        .Select(IDC_WIZ_CATEGORY, CNewCardWizard::catPostcard)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_TRUE(IsChecked(pDlg, IDC_WIZ_KEEPSIZE));
            EXPECT_STREQ("Keep Template's Size: 6.0 X 4.0 Inch", ControlTextOf(pDlg, IDC_WIZ_KEEPSIZE));
        })
        .Select(IDC_WIZ_TEMPLATES, 0)
        .Select(IDC_WIZ_BACKGROUNDS, 0)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_FALSE(IsChecked(pDlg, IDC_WIZ_KEEPSIZE));
            EXPECT_FALSE(IsEnabled(pDlg, IDC_WIZ_KEEPSIZE));
            EXPECT_STREQ("Keep Template's Size", ControlTextOf(pDlg, IDC_WIZ_KEEPSIZE));
            EXPECT_TRUE(IsEnabled(pDlg, IDC_WIZ_SIZES));
        })
        .Select(IDC_WIZ_TEMPLATES, 1)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_TRUE(IsChecked(pDlg, IDC_WIZ_KEEPSIZE));
            EXPECT_TRUE(IsEnabled(pDlg, IDC_WIZ_KEEPSIZE));
            EXPECT_FALSE(IsEnabled(pDlg, IDC_WIZ_SIZES));
        })
        .Select(IDC_WIZ_TEMPLATES, 0)
        .Select(IDC_WIZ_SIZES, 2)
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(dlg.m_strTemplatePath.IsEmpty());
    EXPECT_TRUE(dlg.m_strBackgroundPath.IsEmpty());
    EXPECT_EQ(CNewCardWizard::catPostcard, dlg.m_nPubType);
    EXPECT_EQ(atoi(catalogue.GetEntryField(nPostcard, CSizeCatalogue::fieldWidth)), dlg.m_nWidth);
    EXPECT_EQ(atoi(catalogue.GetEntryField(nPostcard, CSizeCatalogue::fieldHeight)), dlg.m_nHeight);
    EXPECT_NE(400, dlg.m_nWidth);
    EXPECT_EQ(0, m_boxes.GetCount());
}

TEST_F(WizardSizeTest, KeptTemplateSizeWinsOverOwnSizeAndCatalogue)
{
    CNewCardWizard dlg;
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD)
        .Check(IDC_WIZ_KEEPSIZE, BST_UNCHECKED)
        .Select(IDC_WIZ_SIZES, 0)
        .SetText(IDC_WIZ_WIDTH, "10")
        .Select(IDC_WIZ_UNITS, 1)
        .Check(IDC_WIZ_KEEPSIZE, BST_CHECKED)
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(300, dlg.m_nWidth);
    EXPECT_EQ(150, dlg.m_nHeight);
}

TEST_F(WizardSizeTest, DoubleClickOnATemplateIsOK)
{
    CNewCardWizard dlg;
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD).Do([&](CWnd* pDlg)
    {
        CWnd* pList = pDlg->GetDlgItem(IDC_WIZ_TEMPLATES);
        pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WIZ_TEMPLATES, LBN_DBLCLK), (LPARAM)pList->GetSafeHwnd());
    });
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(300, dlg.m_nWidth);
    EXPECT_EQ(150, dlg.m_nHeight);
    EXPECT_STREQ(ProgramFolder() + "\\Templates\\WizTest A.lbft", dlg.m_strTemplatePath);
    EXPECT_STREQ(ProgramFolder() + "\\BackGrounds\\WizTest red.bmp", dlg.m_strBackgroundPath);
}

// ---------------------------------------------------------------------------
// Own size

struct OwnSizeCase
{
    const char* m_pszWidth;
    const char* m_pszHeight;
    int m_nUnit;            // 0 inch, 1 cm
    bool m_bAccepted;
    int m_nWidth;           // when accepted
    int m_nHeight;
};

class WizardOwnSizeTest : public WizardSizeTest, public ::testing::WithParamInterface<OwnSizeCase>
{
};

TEST_P(WizardOwnSizeTest, ConvertsAndChecksTheRange)
{
    const OwnSizeCase& c = GetParam();
    CNewCardWizard dlg;
    CDialogScript script;
    CDialogScript::CSteps& steps = script.OnDialog(IDD_WIZ_NEWCARD)
        .Check(IDC_WIZ_KEEPSIZE, BST_UNCHECKED)
        .Select(IDC_WIZ_SIZES, 0)
        .SetText(IDC_WIZ_WIDTH, c.m_pszWidth)
        .SetText(IDC_WIZ_HEIGHT, c.m_pszHeight)
        .Select(IDC_WIZ_UNITS, c.m_nUnit)
        .OK();
    if (!c.m_bAccepted)
    {
        steps.Do([&](CWnd* pDlg)
        {
            // still open, with the typed texts
            EXPECT_TRUE(pDlg->IsWindowVisible());
            EXPECT_STREQ(c.m_pszWidth, ControlTextOf(pDlg, IDC_WIZ_WIDTH));
            EXPECT_EQ(1, m_boxes.GetCount());
        }).Cancel();
    }

    INT_PTR nResult = dlg.DoModal();
    if (c.m_bAccepted)
    {
        ASSERT_EQ(IDOK, nResult);
        EXPECT_EQ(c.m_nWidth, dlg.m_nWidth);
        EXPECT_EQ(c.m_nHeight, dlg.m_nHeight);
        EXPECT_EQ(0, m_boxes.GetCount());
    }
    else
    {
        EXPECT_EQ(IDCANCEL, nResult);
        ASSERT_EQ(1, m_boxes.GetCount());
        EXPECT_STREQ(kBadSize, m_boxes.GetCall(0).m_strText);
        EXPECT_EQ((UINT)MB_OK, m_boxes.GetCall(0).m_nType & 0xF);
    }
}

INSTANTIATE_TEST_SUITE_P(OwnSizes, WizardOwnSizeTest, ::testing::Values(
    OwnSizeCase{ "10", "15", 1, true, 394, 591 },         // rounded to the nearest hundredth
    OwnSizeCase{ "2.62", "1", 0, true, 262, 100 },
    OwnSizeCase{ "2.54", "1", 1, true, 100, 39 },
    OwnSizeCase{ "8.5", "11", 0, true, 850, 1100 },
    OwnSizeCase{ "25", "25", 0, true, 2500, 2500 },
    OwnSizeCase{ "0.05", "0.05", 0, true, 5, 5 },
    OwnSizeCase{ "63.5", "0.13", 1, true, 2500, 5 },
    OwnSizeCase{ "4.1", "2.54", 0, true, 410, 254 },
    OwnSizeCase{ "0.04", "1", 0, false, 0, 0 },
    OwnSizeCase{ "1", "0.04", 0, false, 0, 0 },
    OwnSizeCase{ "25.01", "1", 0, false, 0, 0 },
    OwnSizeCase{ "63.6", "1", 1, false, 0, 0 },
    OwnSizeCase{ "0.1", "1", 1, false, 0, 0 },
    OwnSizeCase{ "abc", "2", 0, false, 0, 0 },
    OwnSizeCase{ "", "2", 0, false, 0, 0 },
    OwnSizeCase{ "-3", "2", 0, false, 0, 0 },
    OwnSizeCase{ "1e30", "2", 0, false, 0, 0 },
    OwnSizeCase{ "-1e30", "2", 0, false, 0, 0 },
    OwnSizeCase{ "1e12", "2", 1, false, 0, 0 },
    OwnSizeCase{ "nan", "2", 0, false, 0, 0 },
    OwnSizeCase{ "inf", "2", 0, false, 0, 0 }));

TEST_F(WizardSizeTest, RejectedSizeCanBeCorrected)
{
    CNewCardWizard dlg;
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD)
        .Check(IDC_WIZ_KEEPSIZE, BST_UNCHECKED)
        .Select(IDC_WIZ_SIZES, 0)
        .SetText(IDC_WIZ_WIDTH, "0.04")
        .OK()
        .SetText(IDC_WIZ_WIDTH, "3.5")
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1, m_boxes.GetCount());
    EXPECT_EQ(350, dlg.m_nWidth);
    EXPECT_EQ(1100, dlg.m_nHeight);
    EXPECT_FLOAT_EQ(3.5f, dlg.m_fWidth);
    EXPECT_FLOAT_EQ(11.0f, dlg.m_fHeight);
}

TEST_F(WizardSizeTest, OwnSizeControlsFollowTheSizeChoice)
{
    CNewCardWizard dlg;
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD)
        .Check(IDC_WIZ_KEEPSIZE, BST_UNCHECKED)
        .Do([&](CWnd* pDlg) { EXPECT_TRUE(IsEnabled(pDlg, IDC_WIZ_SIZES)); })
        .Select(IDC_WIZ_SIZES, 0)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_TRUE(IsEnabled(pDlg, IDC_WIZ_WIDTH));
            EXPECT_TRUE(IsEnabled(pDlg, IDC_WIZ_HEIGHT));
            EXPECT_TRUE(IsEnabled(pDlg, IDC_WIZ_UNITS));
        })
        .Select(IDC_WIZ_SIZES, 3)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_FALSE(IsEnabled(pDlg, IDC_WIZ_WIDTH));
            EXPECT_FALSE(IsEnabled(pDlg, IDC_WIZ_HEIGHT));
            EXPECT_FALSE(IsEnabled(pDlg, IDC_WIZ_UNITS));
        })
        .Select(IDC_WIZ_SIZES, 0)
        // a new category selects its first stock size, and typed sizes no longer apply
        .Select(IDC_WIZ_CATEGORY, 4)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_EQ(1, dlg.m_listSizes.GetCurSel());
            EXPECT_FALSE(IsEnabled(pDlg, IDC_WIZ_WIDTH));
            EXPECT_FALSE(IsEnabled(pDlg, IDC_WIZ_UNITS));
        })
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(4, dlg.m_nPubType);
    EXPECT_EQ(850, dlg.m_nWidth);       // Letter
    EXPECT_EQ(1100, dlg.m_nHeight);
}

// ---------------------------------------------------------------------------
// Check boxes

TEST_F(WizardSizeTest, BlankDesignDisablesTemplateAndBackground)
{
    CNewCardWizard dlg;
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD)
        .Click(IDC_WIZ_BLANK)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_FALSE(IsEnabled(pDlg, IDC_WIZ_TEMPLATES));
            EXPECT_FALSE(IsEnabled(pDlg, IDC_WIZ_BACKGROUNDS));
            EXPECT_FALSE(IsChecked(pDlg, IDC_WIZ_KEEPSIZE));
            EXPECT_FALSE(IsEnabled(pDlg, IDC_WIZ_KEEPSIZE));
            EXPECT_TRUE(IsEnabled(pDlg, IDC_WIZ_SIZES));
        })
        .Click(IDC_WIZ_BLANK)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_TRUE(IsEnabled(pDlg, IDC_WIZ_TEMPLATES));
            EXPECT_TRUE(IsEnabled(pDlg, IDC_WIZ_BACKGROUNDS));
            EXPECT_TRUE(IsEnabled(pDlg, IDC_WIZ_KEEPSIZE));
            EXPECT_FALSE(IsChecked(pDlg, IDC_WIZ_KEEPSIZE));
            EXPECT_TRUE(IsEnabled(pDlg, IDC_WIZ_SIZES));
        })
        .Click(IDC_WIZ_KEEPSIZE)
        .Do([&](CWnd* pDlg) { EXPECT_FALSE(IsEnabled(pDlg, IDC_WIZ_SIZES)); })
        .Click(IDC_WIZ_BLANK)
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(dlg.m_bBlankDesign);
    EXPECT_EQ(0, dlg.m_nPubType);
    EXPECT_EQ(262, dlg.m_nWidth);       // first label, the template's size is not kept
    EXPECT_EQ(100, dlg.m_nHeight);
}

TEST_F(WizardSizeTest, CancelLeavesTheResultsAsConstructed)
{
    CNewCardWizard dlg;
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD).Select(IDC_WIZ_CATEGORY, 2).Click(IDC_WIZ_BLANK).Cancel();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(dlg.m_bBlankDesign);
    EXPECT_EQ(0, dlg.m_nPubType);
    // there is no envelope template
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ(CString(kNoTemplates) + "\n" + ProgramFolder() + "\\Templates", m_boxes.GetCall(0).m_strText);
}

TEST_F(WizardSizeTest, RunsTwiceOnTheSameObject)
{
    CNewCardWizard dlg;
    {
        CDialogScript script;
        script.OnDialog(IDD_WIZ_NEWCARD).Cancel();
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
    }
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD)
        .Do([&](CWnd*) { EXPECT_EQ(20, dlg.m_listSizes.GetCount()); })
        .Check(IDC_WIZ_KEEPSIZE, BST_UNCHECKED)
        .Select(IDC_WIZ_SIZES, 2)
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(400, dlg.m_nWidth);
    EXPECT_EQ(100, dlg.m_nHeight);
}

// ---------------------------------------------------------------------------
// Missing folders

TEST(WizardFoldersTest, MissingFoldersAreReportedAndTheDialogGoesOn)
{
    if (!FoldersAbsent())
        GTEST_SKIP() << "Templates or BackGrounds exists beside the test program";
    CMessageBoxRecorder boxes;
    const CString strFolder = ProgramFolder();
    CNewCardWizard dlg;
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD)
        .Do([&](CWnd*)
        {
            EXPECT_EQ(std::vector<std::string>({ " -None-" }), ListItems(dlg.m_listTemplates));
            EXPECT_EQ(std::vector<std::string>({ " -None-" }), ListItems(dlg.m_listBackgrounds));
            EXPECT_NE(nullptr, dlg.m_pPreviewImage);
            EXPECT_EQ(0xFFFFFFFF, PixelAt(dlg.m_pPreviewImage, 5, 5));
        })
        .Select(IDC_WIZ_CATEGORY, 5)
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    // no template: the first sheet of the size list
    CSizeCatalogue catalogue;
    catalogue.FillSheets();
    EXPECT_EQ(atoi(catalogue.GetSheetField(0, CSizeCatalogue::fieldWidth)), dlg.m_nWidth);
    EXPECT_EQ(atoi(catalogue.GetSheetField(0, CSizeCatalogue::fieldHeight)), dlg.m_nHeight);
    EXPECT_EQ(5, dlg.m_nPubType);
    EXPECT_TRUE(dlg.m_strTemplatePath.IsEmpty());
    EXPECT_TRUE(dlg.m_strBackgroundPath.IsEmpty());

    ASSERT_EQ(3, boxes.GetCount());
    EXPECT_STREQ(CString(kNoBackgrounds) + "\n" + strFolder + "\\Backgrounds", boxes.GetCall(0).m_strText);
    EXPECT_STREQ(CString(kNoTemplates) + "\n" + strFolder + "\\Templates", boxes.GetCall(1).m_strText);
    EXPECT_STREQ(boxes.GetCall(1).m_strText, boxes.GetCall(2).m_strText);     // again for Flyer
    for (int i = 0; i < 3; i++)
        EXPECT_EQ((UINT)MB_OK, boxes.GetCall(i).m_nType);
}

// Tests of the new-publication wizard, driven through its dialog.

#include "wizard_test_support.h"
#include "test_support.h"
#include "output/NewCardWizard.h"
#include "output/SizeCatalogue.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

namespace
{

const char kOther[] = "Other - Specify your own design size";
const char kBadSize[] = "Please enter a width between 0.05 inch(0.13 cm) and 25 inch(63.5 cm).";
const char kNoTemplates[] =
    "No supported templates are found in this folder or this folder does not exists:";
const char kNoBackgrounds[] =
    "No supported background pictures are found in this folder or this folder does not exists:";

const DWORD kBlue = 0xFF0000FF;
const DWORD kGreen = 0xFF00C000;
const DWORD kWhite = 0xFFFFFFFF;

// The standard set of templates and pictures beside the program.
class WizardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_files.AddTemplate("WizTest A.lbft", 300, 150);
        m_files.AddTemplate("WizTest B.LBFT", 262, 100);
        m_files.AddTemplateBytes("WizTest broken.lbft", "this is no publication file");
        m_files.AddTemplate("WizTest H.lbft.bak", 300, 150);
        m_files.AddTemplate(".lbft", 300, 150);
        m_files.AddTemplate("WizTest C.bdgt", 338, 233);
        m_files.AddTemplate("WizTest D.enft", 950, 413);
        m_files.AddTemplate("WizTest E.post", 600, 400);
        m_files.AddTemplate("WizTest F.lhft", 850, 1100);
        m_files.AddTemplate("WizTest G.flyt", 850, 1100);
        m_files.AddPicture("WizTest blue.PNG", kBlue, "image/png");
        m_files.AddPicture("WizTest red.bmp", 0xFFFF0000);
        m_files.AddPicture(".bmp", 0xFFFF0000);
        m_files.AddBackgroundBytes("WizTest notes.txt", "notes");
        m_files.AddBackgroundFolder("WizTest folder.png");
        m_strFolder = ProgramFolder();
    }

    CString TemplatePath(LPCTSTR lpszName) const { return m_strFolder + "\\Templates\\" + lpszName; }
    CString BackgroundPath(LPCTSTR lpszName) const { return m_strFolder + "\\BackGrounds\\" + lpszName; }

    CWizardFiles m_files;
    CString m_strFolder;
    CMessageBoxRecorder m_boxes;
};

std::vector<std::string> CatalogueNames(bool bSheets, int nFirst, int nCount)
{
    CSizeCatalogue catalogue;
    catalogue.FillLabels();
    catalogue.FillEnvelopes();
    catalogue.FillSheets();
    catalogue.FillPostcards();
    catalogue.FillBadges();
    std::vector<std::string> names = { kOther };
    for (int i = 0; i < nCount; i++)
        names.push_back((LPCTSTR)(bSheets ? catalogue.GetSheetField(i, 0) : catalogue.GetEntryField(nFirst + i, 0)));
    return names;
}

CComboBox& Units(CWnd* pDlg)
{
    return *(CComboBox*)pDlg->GetDlgItem(IDC_WIZ_UNITS);
}

} // namespace

// ---------------------------------------------------------------------------
// GetFileExtension

TEST(NewCardWizardExtension, FromTheLastDotOn)
{
    EXPECT_STREQ(".png", CNewCardWizard::GetFileExtension("a.b.png"));
    EXPECT_STREQ(".LBFT", CNewCardWizard::GetFileExtension("Name B.LBFT"));
    EXPECT_STREQ(".", CNewCardWizard::GetFileExtension("trailing."));
    EXPECT_STREQ("", CNewCardWizard::GetFileExtension("noextension"));
    EXPECT_STREQ("", CNewCardWizard::GetFileExtension(".bmp"));     // only dot comes first
    EXPECT_STREQ(".bmp", CNewCardWizard::GetFileExtension("..bmp"));
    EXPECT_STREQ("", CNewCardWizard::GetFileExtension(""));
    EXPECT_STREQ("", CNewCardWizard::GetFileExtension("."));
}

// ---------------------------------------------------------------------------
// Initialisation

TEST_F(WizardTest, OpensOnLabelsWithTheFirstTemplateAndPicture)
{
    CNewCardWizard dlg;
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD).Do([&](CWnd* pDlg)
    {
        EXPECT_EQ(std::vector<std::string>({ "Address/Shipping Label", "Name Badge", "Envelope", "Postcard",
                                             "Letterhead", "Flyer", "Sign/Placard" }),
                  ComboItems(dlg.m_comboCategory));
        EXPECT_EQ(0, dlg.m_comboCategory.GetCurSel());

        EXPECT_EQ(CatalogueNames(false, 0, 19), ListItems(dlg.m_listSizes));
        EXPECT_EQ(1, dlg.m_listSizes.GetCurSel());
        EXPECT_FALSE(IsEnabled(pDlg, IDC_WIZ_SIZES));       // the template's size is kept

        EXPECT_TRUE(IsChecked(pDlg, IDC_WIZ_KEEPSIZE));
        EXPECT_TRUE(IsEnabled(pDlg, IDC_WIZ_KEEPSIZE));
        EXPECT_STREQ("Keep Template's Size: 3.0 X 1.5 Inch", ControlTextOf(pDlg, IDC_WIZ_KEEPSIZE));
        EXPECT_FALSE(IsChecked(pDlg, IDC_WIZ_BLANK));

        // capitals in an extension count; other extensions, names that start with their
        // only dot, folders and other files do not
        EXPECT_EQ(std::vector<std::string>({ " -None-", "WizTest A.lbft", "WizTest B.LBFT", "WizTest broken.lbft" }),
                  ListItems(dlg.m_listTemplates));
        EXPECT_EQ(1, dlg.m_listTemplates.GetCurSel());
        EXPECT_EQ(std::vector<std::string>({ " -None-", "WizTest blue.PNG", "WizTest red.bmp" }),
                  ListItems(dlg.m_listBackgrounds));
        EXPECT_EQ(1, dlg.m_listBackgrounds.GetCurSel());
        EXPECT_STREQ(TemplatePath("WizTest A.lbft"), dlg.m_strTemplatePath);
        EXPECT_STREQ(BackgroundPath("WizTest blue.PNG"), dlg.m_strBackgroundPath);
        EXPECT_STREQ(m_strFolder, dlg.m_strProgramFolder);

        EXPECT_STREQ("8.5", ControlTextOf(pDlg, IDC_WIZ_WIDTH));
        EXPECT_STREQ("11", ControlTextOf(pDlg, IDC_WIZ_HEIGHT));
        EXPECT_FALSE(IsEnabled(pDlg, IDC_WIZ_WIDTH));
        EXPECT_FALSE(IsEnabled(pDlg, IDC_WIZ_HEIGHT));
        EXPECT_FALSE(IsEnabled(pDlg, IDC_WIZ_UNITS));
        EXPECT_EQ(std::vector<std::string>({ "Inch", "Cm" }), ComboItems(Units(pDlg)));
        EXPECT_EQ(0, Units(pDlg).GetCurSel());
        EXPECT_FALSE(pDlg->GetDlgItem(IDC_WIZ_SIZETEXT)->IsWindowVisible());
    }).Cancel();

    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ASSERT_EQ(1, script.GetRecordCount());
    EXPECT_STREQ("New Publication Options", script.GetRecord(0).m_strCaption);
    EXPECT_EQ(0, m_boxes.GetCount());
}

// ---------------------------------------------------------------------------
// Preview

TEST_F(WizardTest, PreviewShowsBackgroundAndFrontElementsOfTheTemplate)
{
    CNewCardWizard dlg;
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD).Do([&](CWnd* pDlg)
    {
        Gdiplus::Bitmap* pPicture = static_cast<Gdiplus::Bitmap*>(dlg.m_pPreviewImage);
        ASSERT_NE(nullptr, pPicture);
        EXPECT_EQ(300u, pPicture->GetWidth());
        EXPECT_EQ(150u, pPicture->GetHeight());
        EXPECT_EQ(kBlue, PixelAt(pPicture, 2, 2));          // background stretched
        EXPECT_EQ(kBlue, PixelAt(pPicture, 200, 100));
        EXPECT_EQ(kGreen, PixelAt(pPicture, 60, 35));       // side 1 only

        // the preview and its frame fit 10 pixels inside the group box and keep its shape
        CRect rcFrame;
        pDlg->GetDlgItem(IDC_WIZ_PREVIEW)->GetClientRect(&rcFrame);
        EXPECT_GT(dlg.m_nPreviewWidth, 0);
        EXPECT_LE(dlg.m_nPreviewWidth, rcFrame.Width() - 21);
        EXPECT_LE(dlg.m_nPreviewHeight, rcFrame.Height() - 21);
        EXPECT_NEAR(2.0, (double)dlg.m_nPreviewWidth / dlg.m_nPreviewHeight, 0.05);
        EXPECT_GE(dlg.m_nPreviewWidth, rcFrame.Width() - 23);
    })
    .Select(IDC_WIZ_BACKGROUNDS, 0)
    .Do([&](CWnd*)
    {
        EXPECT_TRUE(dlg.m_strBackgroundPath.IsEmpty());
        EXPECT_EQ(kWhite, PixelAt(dlg.m_pPreviewImage, 2, 2));
        EXPECT_EQ(kGreen, PixelAt(dlg.m_pPreviewImage, 60, 35));
    })
    .Select(IDC_WIZ_TEMPLATES, 0)
    .Do([&](CWnd* pDlg)
    {
        // no template: a white page of the default design size
        EXPECT_TRUE(dlg.m_strTemplatePath.IsEmpty());
        Gdiplus::Bitmap* pPicture = static_cast<Gdiplus::Bitmap*>(dlg.m_pPreviewImage);
        EXPECT_EQ(400u, pPicture->GetWidth());
        EXPECT_EQ(200u, pPicture->GetHeight());
        EXPECT_EQ(kWhite, PixelAt(pPicture, 60, 35));
        EXPECT_EQ(400, dlg.m_nTemplateWidth);
        EXPECT_EQ(200, dlg.m_nTemplateHeight);
        EXPECT_STREQ("Keep Template's Size", ControlTextOf(pDlg, IDC_WIZ_KEEPSIZE));
    })
    .Select(IDC_WIZ_BACKGROUNDS, 2)
    .Do([&](CWnd*)
    {
        EXPECT_STREQ(BackgroundPath("WizTest red.bmp"), dlg.m_strBackgroundPath);
        EXPECT_EQ(0xFFFF0000, PixelAt(dlg.m_pPreviewImage, 200, 100));
    })
    .Cancel();

    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(0, m_boxes.GetCount());
}

TEST_F(WizardTest, SizeTextShowsTenthsOfTheTemplateSize)
{
    CNewCardWizard dlg;
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD)
        .Select(IDC_WIZ_TEMPLATES, 2)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ(TemplatePath("WizTest B.LBFT"), dlg.m_strTemplatePath);
            EXPECT_EQ(262, dlg.m_nTemplateWidth);
            EXPECT_EQ(100, dlg.m_nTemplateHeight);
            EXPECT_STREQ("Keep Template's Size: 2.6 X 1.0 Inch", ControlTextOf(pDlg, IDC_WIZ_KEEPSIZE));
        })
        .OK();

    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(262, dlg.m_nWidth);
    EXPECT_EQ(100, dlg.m_nHeight);
    EXPECT_EQ(0, dlg.m_nPubType);
    EXPECT_FALSE(dlg.m_bBlankDesign);
    EXPECT_STREQ(TemplatePath("WizTest B.LBFT"), dlg.m_strTemplatePath);
    EXPECT_STREQ(BackgroundPath("WizTest blue.PNG"), dlg.m_strBackgroundPath);
}

TEST_F(WizardTest, UnreadableTemplateIsReportedWhenChosenAndRefusedByOK)
{
    const char kReport[] = "This template cannot be used:\nWizTest broken.lbft\nUnexpected file format.";
    CNewCardWizard dlg;
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD)
        .Do([&](CWnd*) { EXPECT_EQ(0, m_boxes.GetCount()); })
        .Select(IDC_WIZ_TEMPLATES, 3)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ(TemplatePath("WizTest broken.lbft"), dlg.m_strTemplatePath);
            ASSERT_EQ(1, m_boxes.GetCount());
            EXPECT_STREQ(kReport, m_boxes.GetCall(0).m_strText);
            // the background alone, no element and no size of the template before
            EXPECT_EQ(kBlue, PixelAt(dlg.m_pPreviewImage, 60, 35));
            EXPECT_STREQ("Keep Template's Size: (template unreadable)", ControlTextOf(pDlg, IDC_WIZ_KEEPSIZE));
        })
        .OK()
        .Do([&](CWnd*)
        {
            // still open, told again
            ASSERT_EQ(2, m_boxes.GetCount());
            EXPECT_STREQ(kReport, m_boxes.GetCall(1).m_strText);
        })
        .Select(IDC_WIZ_TEMPLATES, 1)
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ(TemplatePath("WizTest A.lbft"), dlg.m_strTemplatePath);
    EXPECT_EQ(300, dlg.m_nWidth);
    EXPECT_EQ(150, dlg.m_nHeight);
    EXPECT_EQ(2, m_boxes.GetCount());
}

TEST_F(WizardTest, UnreadableTemplateGoesWithABlankDesign)
{
    CNewCardWizard dlg;
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD)
        .Select(IDC_WIZ_TEMPLATES, 3)
        .Check(IDC_WIZ_BLANK)
        .Select(IDC_WIZ_SIZES, 1)
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(dlg.m_bBlankDesign);
    EXPECT_EQ(1, m_boxes.GetCount());
}

TEST_F(WizardTest, UnreadablePictureGivesAWhitePage)
{
    m_files.AddBackgroundBytes("WizTest bad.jpg", "no picture");
    CNewCardWizard dlg;
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD)
        .SelectString(IDC_WIZ_BACKGROUNDS, "WizTest bad.jpg")
        .Do([&](CWnd*)
        {
            EXPECT_STREQ(BackgroundPath("WizTest bad.jpg"), dlg.m_strBackgroundPath);
            EXPECT_EQ(kWhite, PixelAt(dlg.m_pPreviewImage, 2, 2));
            EXPECT_EQ(kGreen, PixelAt(dlg.m_pPreviewImage, 60, 35));
        })
        .Cancel();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(0, m_boxes.GetCount());
}

TEST_F(WizardTest, PaintsThePreviewFramedInBlack)
{
    CNewCardWizard dlg;
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD).Do([&](CWnd* pDlg)
    {
        pDlg->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        CWnd* pFrame = pDlg->GetDlgItem(IDC_WIZ_PREVIEW);
        CClientDC dc(pFrame);
        const int w = dlg.m_nPreviewWidth, h = dlg.m_nPreviewHeight;
        EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(10, 10));
        EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(10 + w, 10 + h / 2));
        EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(12, 12));
        EXPECT_EQ(RGB(0, 192, 0), dc.GetPixel(10 + w / 5, 10 + h * 23 / 100));   // (60, 35) of 300 x 150
        EXPECT_NE(RGB(0, 0, 255), dc.GetPixel(10 + w + 3, 10 + h / 2));        // nothing beyond
    }).Cancel();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

// A wide template is shown whole in the real frame: all four sides of its black frame
// and the background up to its right edge, scaled to fit with its shape kept.
TEST_F(WizardTest, PaintsAWideTemplateWholeInsideTheFrame)
{
    CNewCardWizard dlg;
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD)
        .Select(IDC_WIZ_TEMPLATES, 2)
        .Do([&](CWnd* pDlg)
        {
            ASSERT_STREQ(TemplatePath("WizTest B.LBFT"), dlg.m_strTemplatePath);
            pDlg->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            CWnd* pFrame = pDlg->GetDlgItem(IDC_WIZ_PREVIEW);
            CRect rcFrame;
            pFrame->GetClientRect(&rcFrame);
            CClientDC dc(pFrame);
            const int w = dlg.m_nPreviewWidth, h = dlg.m_nPreviewHeight;
            // inside the group box's own edge lines
            EXPECT_LE(10 + w, rcFrame.right - 4);
            EXPECT_LE(10 + h, rcFrame.bottom - 4);
            EXPECT_NEAR(2.62, (double)w / h, 0.05);
            EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(10, 10 + h / 2));
            EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(10 + w, 10 + h / 2));
            EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(10 + w / 2, 10));
            EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(10 + w / 2, 10 + h));
            EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(10 + w * 9 / 10, 10 + h / 2));
            EXPECT_NE(RGB(0, 0, 255), dc.GetPixel(10 + w + 2, 10 + h / 2));
        })
        .Cancel();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

// ---------------------------------------------------------------------------
// Categories

struct CategoryCase
{
    int m_nCategory;
    bool m_bSheets;
    int m_nFirst;               // first catalogue entry (or sheet) of the size list
    int m_nCount;
    std::vector<std::string> m_templates;   // the category's templates, in list order
};

class WizardCategoryTest : public WizardTest, public ::testing::WithParamInterface<CategoryCase>
{
};

TEST_P(WizardCategoryTest, ListsItsSizesAndTemplatesAndReturnsACatalogueSize)
{
    const CategoryCase& c = GetParam();
    std::vector<std::string> names = CatalogueNames(c.m_bSheets, c.m_nFirst, c.m_nCount);
    CSizeCatalogue catalogue;
    catalogue.FillLabels();
    catalogue.FillEnvelopes();
    catalogue.FillSheets();
    catalogue.FillPostcards();
    catalogue.FillBadges();
    const int nLast = c.m_nCount - 1;
    const CString& strWidth = c.m_bSheets ? catalogue.GetSheetField(nLast, 1)
                                          : catalogue.GetEntryField(c.m_nFirst + nLast, 1);
    const CString& strHeight = c.m_bSheets ? catalogue.GetSheetField(nLast, 2)
                                           : catalogue.GetEntryField(c.m_nFirst + nLast, 2);

    CNewCardWizard dlg;
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD)
        .Select(IDC_WIZ_CATEGORY, c.m_nCategory)
        .Do([&](CWnd*)
        {
            EXPECT_EQ(names, ListItems(dlg.m_listSizes));
            EXPECT_EQ(1, dlg.m_listSizes.GetCurSel());
            std::vector<std::string> templates = { " -None-" };
            templates.insert(templates.end(), c.m_templates.begin(), c.m_templates.end());
            EXPECT_EQ(templates, ListItems(dlg.m_listTemplates));
            if (!c.m_templates.empty())
            {
                EXPECT_STREQ(TemplatePath(c.m_templates[0].c_str()), dlg.m_strTemplatePath);
            }
            else
            {
                EXPECT_TRUE(dlg.m_strTemplatePath.IsEmpty());
            }
        })
        .Check(IDC_WIZ_KEEPSIZE, BST_UNCHECKED)
        .Select(IDC_WIZ_SIZES, c.m_nCount)
        .OK();

    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(c.m_nCategory, dlg.m_nPubType);
    EXPECT_EQ(atoi(strWidth), dlg.m_nWidth);
    EXPECT_EQ(atoi(strHeight), dlg.m_nHeight);
    if (c.m_templates.empty())
    {
        ASSERT_EQ(1, m_boxes.GetCount());
        EXPECT_STREQ(CString(kNoTemplates) + "\n" + m_strFolder + "\\Templates", m_boxes.GetCall(0).m_strText);
        EXPECT_EQ((UINT)MB_OK, m_boxes.GetCall(0).m_nType);
    }
    else
    {
        EXPECT_EQ(0, m_boxes.GetCount());
    }
}

INSTANTIATE_TEST_SUITE_P(Categories, WizardCategoryTest, ::testing::Values(
    CategoryCase{ 0, false, 0, 19, { "WizTest A.lbft", "WizTest B.LBFT", "WizTest broken.lbft" } },
    CategoryCase{ 1, false, 36, 6, { "WizTest C.bdgt" } },
    CategoryCase{ 2, false, 19, 11, { "WizTest D.enft" } },
    CategoryCase{ 3, false, 30, 6, { "WizTest E.post" } },
    CategoryCase{ 4, true, 0, 8, { "WizTest F.lhft" } },
    CategoryCase{ 5, true, 0, 8, { "WizTest G.flyt" } },
    CategoryCase{ 6, true, 0, 8, {} }));

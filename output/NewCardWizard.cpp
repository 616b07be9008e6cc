// NewCardWizard.cpp - the new-publication dialog: category, template, background and size.

#include "NewCardWizard.h"
#include "SizeCatalogue.h"
#include "model/FileLimits.h"
#include "model/TemplatePreview.h"
#include "model/VarnelDoc.h"

#include <math.h>
#include <stdlib.h>
#include <algorithm>
#include <memory>

using namespace Gdiplus;

namespace
{

const char kNoneItem[] = " -None-";
const char kOtherSize[] = "Other - Specify your own design size";
const char kTemplatesFolder[] = "\\Templates";
const char kBackgroundsFolder[] = "\\BackGrounds";

// Smallest and largest design side, hundredths of an inch.
const int kMinDesignSize = 5;
const int kMaxDesignSize = 2500;

// Texts of the category list, in publication-type order.
const char* const kCategoryNames[CNewCardWizard::CATEGORY_COUNT] =
{
    "Address/Shipping Label",
    "Name Badge",
    "Envelope",
    "Postcard",
    "Letterhead",
    "Flyer",
    "Sign/Placard"
};

// Extensions of the pictures offered as backgrounds (lower case).
const char* const kPictureExtensions[] =
{
    ".bmp", ".jpg", ".jpeg", ".gif", ".png", ".wmf", ".tif"
};

// Distance of the preview from the group box's left and top edges, pixels.
const int kPreviewMargin = 10;

// The size a design of nWidth x nHeight is drawn at in sizeRoom: as it is when it fits,
// else scaled down to fit, proportions kept.
void FitPreview(int nWidth, int nHeight, CSize sizeRoom, int& nPreviewWidth, int& nPreviewHeight)
{
    nPreviewWidth = nWidth > 0 ? nWidth : 0;
    nPreviewHeight = nHeight > 0 ? nHeight : 0;
    if (nPreviewWidth == 0 || nPreviewHeight == 0)
        return;
    const double fScale = std::min({ 1.0, std::max(sizeRoom.cx, 1L) / (double)nPreviewWidth,
                                     std::max(sizeRoom.cy, 1L) / (double)nPreviewHeight });
    nPreviewWidth = std::max(1, (int)(nPreviewWidth * fScale));
    nPreviewHeight = std::max(1, (int)(nPreviewHeight * fScale));
}

// A value in hundredths of an inch rounded to the nearest whole one; -1 for values that
// are no number or too large for a design side, so that the range test refuses them.
int RoundSize(double fValue)
{
    if (!(fValue > -1.0 && fValue < 1.0e6))
        return -1;
    return (int)floor(fValue + 0.5);
}

// Names of the files (not folders, not temporary files of saves) in strFolder, in the
// order the system gives them.
template <typename Fn>
void ForEachFile(const CString& strFolder, Fn fn)
{
    WIN32_FIND_DATAA find;
    HANDLE hFind = ::FindFirstFileA(strFolder + "\\*.*", &find);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do
    {
        // an interrupted save's temporary file is no template
        if ((find.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && !AfxIsSaveTempName(find.cFileName))
            fn(CString(find.cFileName));
    }
    while (::FindNextFileA(hFind, &find));
    ::FindClose(hFind);
}

// A message of the string table, a line break and a folder.
void ShowFolderMessage(UINT nIDPrompt, const CString& strFolder)
{
    CString strText;
    strText.LoadString(nIDPrompt);
    AfxMessageBox(strText + "\n" + strFolder, MB_OK);
}

} // namespace

BEGIN_MESSAGE_MAP(CNewCardWizard, CDialog)
    ON_CBN_SELCHANGE(IDC_WIZ_CATEGORY, OnSelchangeCategory)
    ON_LBN_SELCHANGE(IDC_WIZ_TEMPLATES, OnSelchangeTemplate)
    ON_LBN_DBLCLK(IDC_WIZ_TEMPLATES, OnDblclkTemplate)
    ON_LBN_SELCHANGE(IDC_WIZ_BACKGROUNDS, OnSelchangeBackground)
    ON_LBN_SELCHANGE(IDC_WIZ_SIZES, OnSelchangeSize)
    ON_BN_CLICKED(IDC_WIZ_BLANK, OnClickedBlankOrKeepSize)
    ON_BN_CLICKED(IDC_WIZ_KEEPSIZE, OnClickedKeepSize)
    ON_WM_PAINT()
END_MESSAGE_MAP()

// A letter-sized sheet and a 4 x 2 inch template until the user picks others; the template's size is kept.
CNewCardWizard::CNewCardWizard()
    : CDialog(IDD, NULL),
      m_pPreviewImage(NULL),
      m_fWidth(8.5f),
      m_fHeight(11.0f),
      m_nWidth(0),
      m_nHeight(0),
      m_nTemplateWidth(400),
      m_nTemplateHeight(200),
      m_pCatalogue(NULL),
      m_nPreviewWidth(0),
      m_nPreviewHeight(0),
      m_nPubType(0),
      m_bBlankDesign(FALSE),
      m_bTemplateUnreadable(FALSE),
      m_bKeepSizeWanted(TRUE)
{
}

CNewCardWizard::~CNewCardWizard()
{
    delete m_pPreviewImage;
    ReleaseCatalogue();
}

CString CNewCardWizard::GetFileExtension(const CString& strFileName)
{
    for (int i = strFileName.GetLength() - 1; i >= 1; i--)
    {
        if (strFileName[i] == '.')
            return strFileName.Mid(i);
    }
    return CString();
}

void CNewCardWizard::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WIZ_TEMPLATES, m_listTemplates);
    DDX_Control(pDX, IDC_WIZ_BACKGROUNDS, m_listBackgrounds);
    DDX_Control(pDX, IDC_WIZ_CATEGORY, m_comboCategory);
    DDX_Control(pDX, IDC_WIZ_SIZES, m_listSizes);
    DDX_Check(pDX, IDC_WIZ_BLANK, m_bBlankDesign);
}

// Lists the categories and the program's background pictures, then the label sizes and templates, with
// the first background previewed and a letter-sized custom size.
BOOL CNewCardWizard::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (const char* pszName : kCategoryNames)
        m_comboCategory.AddString(pszName);

    char szPath[MAX_PATH];
    DWORD nLength = ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    m_strProgramFolder = CString(szPath, (int)nLength);
    int nSlash = m_strProgramFolder.ReverseFind('\\');
    if (nSlash >= 0)
        m_strProgramFolder = m_strProgramFolder.Left(nSlash);

    // background pictures
    m_listBackgrounds.AddString(kNoneItem);
    ForEachFile(m_strProgramFolder + kBackgroundsFolder, [this](const CString& strName)
    {
        CString strExtension = GetFileExtension(strName);
        strExtension.MakeLower();
        for (const char* pszExtension : kPictureExtensions)
        {
            if (strExtension == pszExtension)
            {
                m_listBackgrounds.AddString(strName);
                break;
            }
        }
    });

    m_comboCategory.SetCurSel(catLabel);
    m_listBackgrounds.SetCurSel(1);
    OnSelchangeBackground();
    if (m_listBackgrounds.GetCurSel() < 0)
        ShowFolderMessage(IDS_WIZ_NO_BACKGROUNDS, m_strProgramFolder + "\\Backgrounds");

    m_bKeepSizeWanted = TRUE;
    UpdateControlStates();

    ReleaseCatalogue();
    m_pCatalogue = new CSizeCatalogue;
    m_pCatalogue->FillAll();

    ShowLabelChoices();

    CComboBox* pUnits = (CComboBox*)GetDlgItem(IDC_WIZ_UNITS);
    pUnits->AddString("Inch");
    pUnits->AddString("Cm");
    pUnits->SetCurSel(0);
    SetDlgItemText(IDC_WIZ_WIDTH, "8.5");
    SetDlgItemText(IDC_WIZ_HEIGHT, "11");
    return TRUE;
}

void CNewCardWizard::ReleaseCatalogue()
{
    delete m_pCatalogue;
    m_pCatalogue = NULL;
}

/////////////////////////////////////////////////////////////////////////////
// Categories and their size lists

void CNewCardWizard::OnSelchangeCategory()
{
    switch (m_comboCategory.GetCurSel())
    {
    case catBadge:      ShowBadgeChoices();         break;
    case catEnvelope:   ShowEnvelopeChoices();      break;
    case catPostcard:   ShowPostcardChoices();      break;
    case catLetterhead: ShowLetterheadChoices();    break;
    case catFlyer:      ShowFlyerChoices();         break;
    case catSign:       ShowSignChoices();          break;
    default:            ShowLabelChoices();         break;
    }
}

void CNewCardWizard::ShowLabelChoices()
{
    FillEntrySizes(CSizeCatalogue::FIRST_LABEL, CSizeCatalogue::LABEL_COUNT);
    FillTemplateList(".lbft");
}

void CNewCardWizard::ShowBadgeChoices()
{
    FillEntrySizes(CSizeCatalogue::FIRST_BADGE, CSizeCatalogue::BADGE_COUNT);
    FillTemplateList(".bdgt");
}

void CNewCardWizard::ShowEnvelopeChoices()
{
    FillEntrySizes(CSizeCatalogue::FIRST_ENVELOPE, CSizeCatalogue::ENVELOPE_COUNT);
    FillTemplateList(".enft");
}

void CNewCardWizard::ShowPostcardChoices()
{
    FillEntrySizes(CSizeCatalogue::FIRST_POSTCARD, CSizeCatalogue::POSTCARD_COUNT);
    FillTemplateList(".post");
}

void CNewCardWizard::ShowLetterheadChoices()
{
    FillSheetSizes();
    FillTemplateList(".lhft");
}

void CNewCardWizard::ShowFlyerChoices()
{
    FillSheetSizes();
    FillTemplateList(".flyt");
}

void CNewCardWizard::ShowSignChoices()
{
    FillSheetSizes();
    FillTemplateList(".sgnt");
}

void CNewCardWizard::FillEntrySizes(int nFirstEntry, int nCount)
{
    m_listSizes.ResetContent();
    m_listSizes.AddString(kOtherSize);
    if (m_pCatalogue != NULL)
    {
        for (int e = nFirstEntry; e < nFirstEntry + nCount; e++)
            m_listSizes.AddString(m_pCatalogue->GetEntryField(e, CSizeCatalogue::fieldName));
    }
    m_listSizes.SetCurSel(1);
    OnSelchangeSize();
}

void CNewCardWizard::FillSheetSizes()
{
    m_listSizes.ResetContent();
    m_listSizes.AddString(kOtherSize);
    if (m_pCatalogue != NULL)
    {
        for (int s = 0; s < CSizeCatalogue::SHEET_COUNT; s++)
            m_listSizes.AddString(m_pCatalogue->GetSheetField(s, CSizeCatalogue::fieldName));
    }
    m_listSizes.SetCurSel(1);
    OnSelchangeSize();
}

// Lists the program's templates of one category's extension and previews the first; tells when there is none.
void CNewCardWizard::FillTemplateList(LPCTSTR lpszExtension)
{
    m_listTemplates.ResetContent();
    m_listTemplates.AddString(kNoneItem);
    ForEachFile(m_strProgramFolder + kTemplatesFolder, [this, lpszExtension](const CString& strName)
    {
        CString strExtension = GetFileExtension(strName);
        strExtension.MakeLower();
        if (strExtension == lpszExtension)
            m_listTemplates.AddString(strName);
    });
    m_listTemplates.SetCurSel(1);
    OnSelchangeTemplate();
    if (m_listTemplates.GetCurSel() < 0)
        ShowFolderMessage(IDS_WIZ_NO_TEMPLATES, m_strProgramFolder + kTemplatesFolder);
}

/////////////////////////////////////////////////////////////////////////////
// Template, background and preview

void CNewCardWizard::ReportUnreadableTemplate()
{
    AfxMessageBox(m_strTemplateError, MB_OK | MB_ICONEXCLAMATION);
}

// Previews the chosen template (none for the first item) and tells the user when it cannot be read.
void CNewCardWizard::OnSelchangeTemplate()
{
    int nIndex = m_listTemplates.GetCurSel();
    if (nIndex < 1)
    {
        m_strTemplatePath.Empty();
    }
    else
    {
        CString strName;
        m_listTemplates.GetText(nIndex, strName);
        m_strTemplatePath = m_strProgramFolder + kTemplatesFolder + "\\" + strName;
    }
    PreviewChoice();
    UpdateControlStates();
    if (m_bTemplateUnreadable)
        ReportUnreadableTemplate();
}

void CNewCardWizard::OnDblclkTemplate()
{
    OnOK();
}

// Previews the template over the chosen background picture, or over none for the first item.
void CNewCardWizard::OnSelchangeBackground()
{
    int nIndex = m_listBackgrounds.GetCurSel();
    if (nIndex < 1)
    {
        m_strBackgroundPath.Empty();
    }
    else
    {
        CString strName;
        m_listBackgrounds.GetText(nIndex, strName);
        m_strBackgroundPath = m_strProgramFolder + kBackgroundsFolder + "\\" + strName;
    }
    PreviewChoice();
}

// A blank design is made without template and background, so its preview is the empty page.
void CNewCardWizard::PreviewChoice()
{
    if (IsDlgButtonChecked(IDC_WIZ_BLANK) == BST_CHECKED)
        UpdatePreview(CString(), CString());
    else
        UpdatePreview(m_strTemplatePath, m_strBackgroundPath);
}

// Renders template and background on a scratch document and keeps the template's size for the keep-size
// choice; an unreadable template previews the background alone and keeps the reason to show.
void CNewCardWizard::UpdatePreview(CString strTemplatePath, CString strBackgroundPath)
{
    m_bTemplateUnreadable = FALSE;
    m_strTemplateError.Empty();
    try
    {
        std::unique_ptr<CVarnelDoc> pDoc(new CVarnelDoc);
        // the template's preview on a scratch document
        Bitmap* pPicture = NULL;
        try
        {
            pPicture = pDoc->SaveOrPreviewTemplate(strTemplatePath, strBackgroundPath, TRUE);
        }
        catch (CException* e)
        {
            if (strTemplatePath.IsEmpty())
                throw;
            // a file that cannot be opened says why; anything else is no template
            CString strReason;
            CFileException* pFileError = DYNAMIC_DOWNCAST(CFileException, e);
            if (pFileError == NULL || pFileError->m_cause == CFileException::genericException ||
                !e->GetErrorMessage(strReason.GetBuffer(512), 512))
            {
                strReason.ReleaseBuffer(0);
                strReason.LoadString(IDS_WIZ_UNEXPECTED_FORMAT);
            }
            else
            {
                strReason.ReleaseBuffer();
            }
            e->Delete();
            m_bTemplateUnreadable = TRUE;
            AfxFormatString2(m_strTemplateError, IDS_WIZ_TEMPLATE_UNUSABLE,
                             strTemplatePath.Mid(strTemplatePath.ReverseFind('\\') + 1), strReason);
            // a file no template reaches in size is told as the program tells it elsewhere
            if (IsFileOverLimit(strTemplatePath, MAX_TEMPLATE_FILE_BYTES))
                m_strTemplateError = FileTooLargeMessage(strTemplatePath, MAX_TEMPLATE_FILE_BYTES);
        }
        catch (...)
        {
            if (strTemplatePath.IsEmpty())
                throw;
            m_bTemplateUnreadable = TRUE;
            CString strReason;
            strReason.LoadString(IDS_WIZ_UNEXPECTED_FORMAT);
            AfxFormatString2(m_strTemplateError, IDS_WIZ_TEMPLATE_UNUSABLE,
                             strTemplatePath.Mid(strTemplatePath.ReverseFind('\\') + 1), strReason);
        }
        if (m_bTemplateUnreadable)
        {
            // the background alone, on a fresh scratch document
            pDoc.reset(new CVarnelDoc);
            pPicture = pDoc->SaveOrPreviewTemplate(CString(), strBackgroundPath, TRUE);
        }
        if (pPicture == NULL)
            return;
        delete m_pPreviewImage;
        m_pPreviewImage = pPicture;

        // the whole design and its black frame inside the group box, proportions kept
        CRect rcFrame;
        GetDlgItem(IDC_WIZ_PREVIEW)->GetClientRect(&rcFrame);
        FitPreview(pDoc->m_nDesignWidth, pDoc->m_nDesignHeight,
                   CSize(rcFrame.Width() - 2 * kPreviewMargin - 1, rcFrame.Height() - 2 * kPreviewMargin - 1),
                   m_nPreviewWidth, m_nPreviewHeight);

        m_nTemplateWidth = pDoc->m_nDesignWidth;
        m_nTemplateHeight = pDoc->m_nDesignHeight;
        CString strSize, strUnit;
        strSize.Format("%1.1f%s%1.1f", m_nTemplateWidth / 100.0, " X ", m_nTemplateHeight / 100.0);
        strUnit.LoadString(IDS_WIZ_INCH);
        if (m_bTemplateUnreadable)
            SetDlgItemText(IDC_WIZ_KEEPSIZE, "Keep Template's Size: (template unreadable)");
        else if (strTemplatePath.IsEmpty())
            SetDlgItemText(IDC_WIZ_KEEPSIZE, "Keep Template's Size");
        else
            SetDlgItemText(IDC_WIZ_KEEPSIZE, "Keep Template's Size: " + strSize + " " + strUnit);

        pDoc.reset();
        Invalidate();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
}

void CNewCardWizard::OnPaint()
{
    CPaintDC dc(this);
    CWnd* pFrame = GetDlgItem(IDC_WIZ_PREVIEW);
    if (pFrame == NULL || m_pPreviewImage == NULL)
        return;

    CClientDC dcFrame(pFrame);
    Graphics graphics(dcFrame.GetSafeHdc());
    graphics.DrawImage(m_pPreviewImage, kPreviewMargin, kPreviewMargin, m_nPreviewWidth, m_nPreviewHeight);
    Pen pen(Color(255, 0, 0, 0), 1.0f);
    graphics.DrawRectangle(&pen, kPreviewMargin, kPreviewMargin, m_nPreviewWidth, m_nPreviewHeight);
}

/////////////////////////////////////////////////////////////////////////////
// Control states

// Without a template there is no size to keep: the box is cleared and disabled, and
// given back as the user left it once a template is chosen.
void CNewCardWizard::UpdateControlStates()
{
    CWnd* pKeepSize = GetDlgItem(IDC_WIZ_KEEPSIZE);
    const BOOL bBlank = IsDlgButtonChecked(IDC_WIZ_BLANK) == BST_CHECKED;
    const BOOL bTemplate = !m_strTemplatePath.IsEmpty();
    if (bBlank || !bTemplate)
        CheckDlgButton(IDC_WIZ_KEEPSIZE, BST_UNCHECKED);
    else
        CheckDlgButton(IDC_WIZ_KEEPSIZE, m_bKeepSizeWanted ? BST_CHECKED : BST_UNCHECKED);
    pKeepSize->EnableWindow(!bBlank && bTemplate);
    m_listSizes.EnableWindow(IsDlgButtonChecked(IDC_WIZ_KEEPSIZE) != BST_CHECKED);
    m_listTemplates.EnableWindow(!bBlank);
    m_listBackgrounds.EnableWindow(!bBlank);
}

void CNewCardWizard::OnClickedBlankOrKeepSize()
{
    if (IsDlgButtonChecked(IDC_WIZ_BLANK) == BST_CHECKED)
        m_bKeepSizeWanted = FALSE;      // a blank design leaves the box cleared
    PreviewChoice();
    UpdateControlStates();
}

void CNewCardWizard::OnClickedKeepSize()
{
    m_bKeepSizeWanted = IsDlgButtonChecked(IDC_WIZ_KEEPSIZE) == BST_CHECKED;
    UpdateControlStates();
}

void CNewCardWizard::OnSelchangeSize()
{
    BOOL bOwnSize = m_listSizes.GetCurSel() == 0;
    GetDlgItem(IDC_WIZ_WIDTH)->EnableWindow(bOwnSize);
    GetDlgItem(IDC_WIZ_HEIGHT)->EnableWindow(bOwnSize);
    GetDlgItem(IDC_WIZ_UNITS)->EnableWindow(bOwnSize);
}

/////////////////////////////////////////////////////////////////////////////
// OK

void CNewCardWizard::OnOK()
{
    CString strText;
    GetDlgItemText(IDC_WIZ_HEIGHT, strText);
    m_fHeight = (float)ReadTypedSize(strText);
    GetDlgItemText(IDC_WIZ_WIDTH, strText);
    m_fWidth = (float)ReadTypedSize(strText);
    int nSize = m_listSizes.GetCurSel();
    m_nPubType = m_comboCategory.GetCurSel();
    if (m_nPubType < 0 || m_nPubType >= CATEGORY_COUNT)
        m_nPubType = catLabel;

    if (nSize == 0)
    {
        // inches or centimetres to hundredths of an inch
        const BOOL bCentimetres = ((CComboBox*)GetDlgItem(IDC_WIZ_UNITS))->GetCurSel() == 1;
        const double fFactor = bCentimetres ? 100.0 / 2.54 : 100.0;
        m_nWidth = RoundSize(m_fWidth * fFactor);
        m_nHeight = RoundSize(m_fHeight * fFactor);
    }
    else
    {
        // stock item nSize - 1 of the category; no item reads as size 0, which is refused
        m_nWidth = m_nHeight = 0;
        int nItem = nSize - 1;
        int nFirst = -1, nCount = 0;
        switch (m_nPubType)
        {
        case catLabel:
            nFirst = CSizeCatalogue::FIRST_LABEL;       nCount = CSizeCatalogue::LABEL_COUNT;       break;
        case catBadge:
            nFirst = CSizeCatalogue::FIRST_BADGE;       nCount = CSizeCatalogue::BADGE_COUNT;       break;
        case catEnvelope:
            nFirst = CSizeCatalogue::FIRST_ENVELOPE;    nCount = CSizeCatalogue::ENVELOPE_COUNT;    break;
        case catPostcard:
            nFirst = CSizeCatalogue::FIRST_POSTCARD;    nCount = CSizeCatalogue::POSTCARD_COUNT;    break;
        default:
            nCount = CSizeCatalogue::SHEET_COUNT;                                                   break;
        }
        if (m_pCatalogue != NULL && nItem >= 0 && nItem < nCount)
        {
            if (nFirst >= 0)
            {
                m_nWidth = atoi(m_pCatalogue->GetEntryField(nFirst + nItem, CSizeCatalogue::fieldWidth));
                m_nHeight = atoi(m_pCatalogue->GetEntryField(nFirst + nItem, CSizeCatalogue::fieldHeight));
            }
            else
            {
                m_nWidth = atoi(m_pCatalogue->GetSheetField(nItem, CSizeCatalogue::fieldWidth));
                m_nHeight = atoi(m_pCatalogue->GetSheetField(nItem, CSizeCatalogue::fieldHeight));
            }
        }
    }

    if (IsDlgButtonChecked(IDC_WIZ_KEEPSIZE) == BST_CHECKED)
    {
        m_nWidth = m_nTemplateWidth;
        m_nHeight = m_nTemplateHeight;
    }

    // a publication is never made from a template that could not be read
    if (m_bTemplateUnreadable && !m_strTemplatePath.IsEmpty() && IsDlgButtonChecked(IDC_WIZ_BLANK) != BST_CHECKED)
    {
        ReportUnreadableTemplate();
        return;
    }

    if (m_nWidth < kMinDesignSize || m_nWidth > kMaxDesignSize ||
        m_nHeight < kMinDesignSize || m_nHeight > kMaxDesignSize)
    {
        AfxMessageBox(IDS_WIZ_BAD_SIZE, MB_OK);
        return;
    }

    CDialog::OnOK();
    ReleaseCatalogue();
}

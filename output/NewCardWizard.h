// NewCardWizard.h - CNewCardWizard, the "New Publication Options" dialog that every new
// publication passes through.
//
// Notes
// - The caller constructs the dialog on the stack, runs DoModal and, after IDOK, reads
//   m_nPubType, m_strTemplatePath, m_strBackgroundPath, m_nWidth, m_nHeight and
//   m_bBlankDesign. After IDCANCEL the results mean nothing.
// - Templates and background pictures are taken from the Templates and BackGrounds
//   folders beside the program file.
// - The dialog owns its size catalogue and its preview picture while it is open; both
//   are released when it closes at the latest.
// - A template that cannot be read is reported when it is chosen; the preview then shows
//   the background alone, and OK refuses it (unless a blank design is asked for).
// - With "Start with a blank design" the preview shows the empty page that is made.
// - GDI+ must be started (the application does it at start-up).

#pragma once

#include "afxdlgs.h"
#include "resources/wizard_resource.h"

namespace Gdiplus
{
class Image;
}

class CSizeCatalogue;

// CNewCardWizard lets the user pick a category, a template, a background picture and a
// design size for a new publication.
class CNewCardWizard : public CDialog
{
public:
    enum { IDD = IDD_WIZ_NEWCARD };

    // Categories in list order; the index is the document's publication type.
    enum Category
    {
        catLabel = 0,
        catBadge,
        catEnvelope,
        catPostcard,
        catLetterhead,
        catFlyer,
        catSign,
        CATEGORY_COUNT
    };

    CNewCardWizard();
    virtual ~CNewCardWizard();

    // Extension of a file name from its last '.' on (the dot included); empty when the
    // name has no '.' after its first character.
    static CString GetFileExtension(const CString& strFileName);

    // Overrides
    virtual BOOL OnInitDialog() override;
    // Makes the preview picture of a template (empty: none) on a background picture
    // (empty: none) and takes the template's design size.
    virtual void UpdatePreview(CString strTemplatePath, CString strBackgroundPath);

    // Member variables
    CListBox m_listTemplates;           // " -None-" and the template file names
    CString m_strTemplatePath;          // chosen template, empty for none (result)
    CString m_strBackgroundPath;        // chosen background picture, empty for none (result)
    CListBox m_listBackgrounds;         // " -None-" and the picture file names
    Gdiplus::Image* m_pPreviewImage;    // current preview picture; owned
    float m_fWidth;                     // own size as typed, inches or centimetres
    float m_fHeight;
    int m_nWidth;                       // chosen design size, hundredths of an inch (result)
    int m_nHeight;
    int m_nTemplateWidth;               // design size of the template last previewed
    int m_nTemplateHeight;
    CComboBox m_comboCategory;          // the seven categories
    CListBox m_listSizes;               // "Other - ..." and the catalogue names
    CSizeCatalogue* m_pCatalogue;       // owned; exists while the dialog is open
    CString m_strProgramFolder;         // folder of the program file, no trailing backslash
    int m_nPreviewWidth;                // size the preview is drawn at, pixels
    int m_nPreviewHeight;
    int m_nPubType;                     // chosen category index (result)
    BOOL m_bBlankDesign;                // "Start with a blank design" (result)
    BOOL m_bTemplateUnreadable;         // the chosen template could not be read
    CString m_strTemplateError;         // what was wrong with it, as told to the user
    BOOL m_bKeepSizeWanted;             // the keep-size box as the user left it

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual void OnOK() override;

    // Size list of each category
    void ShowLabelChoices();
    void ShowBadgeChoices();
    void ShowEnvelopeChoices();
    void ShowPostcardChoices();
    void ShowLetterheadChoices();
    void ShowFlyerChoices();
    void ShowSignChoices();
    // "Other" and the names of nCount catalogue entries from nFirstEntry on.
    void FillEntrySizes(int nFirstEntry, int nCount);
    // "Other" and the names of the eight sheets.
    void FillSheetSizes();
    // " -None-" and the files of the Templates folder with the extension.
    void FillTemplateList(LPCTSTR lpszExtension);
    // Enables the size list, the keep-size box and the two file lists after the boxes.
    void UpdateControlStates();
    void ReleaseCatalogue();
    // Previews the chosen template and background, or the empty page of a blank design.
    void PreviewChoice();
    // Tells the user that the chosen template cannot be used.
    void ReportUnreadableTemplate();

    // Message handlers
    afx_msg void OnSelchangeCategory();
    afx_msg void OnSelchangeTemplate();
    afx_msg void OnDblclkTemplate();
    afx_msg void OnSelchangeBackground();
    afx_msg void OnSelchangeSize();
    afx_msg void OnClickedBlankOrKeepSize();
    afx_msg void OnClickedKeepSize();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
